#include "run_dump.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "dump_writer.h"
#include "progress.h"

namespace dictdump {

namespace {

constexpr int kExitFailure = 1;
constexpr uint64_t kRowsPerProgressCheck = 4096;

void Error(const std::string& text) { std::fprintf(stderr, "dictdump: %s\n", text.c_str()); }

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The table a --table NAME means: its stored name in any case, or with
// carets for its spaces, as the report finds it.
TableSchema* FindTable(DictionarySchema& schema, const std::string& name) {
  std::string carets = name;
  std::replace(carets.begin(), carets.end(), ' ', '^');
  for (TableSchema& table : schema.tables)
    if (SameName(table.name, name) || SameName(table.name, carets)) return &table;
  return nullptr;
}

bool ChooseTables(const Options& options, DictionarySchema& schema, std::vector<TableSchema*>* tables) {
  if (options.tables.empty()) {
    const bool everything = options.system || options.format->everyTable;
    for (TableSchema& table : schema.tables)
      if (everything || !IsSystemTableName(table.name)) tables->push_back(&table);
    return true;
  }
  for (const std::string& name : options.tables) {
    TableSchema* table = FindTable(schema, name);
    if (table == nullptr) {
      Error("table " + name + " not found in the dictionary");
      return false;
    }
    if (std::find(tables->begin(), tables->end(), table) == tables->end()) tables->push_back(table);
  }
  return true;
}

// Reads the dictionary offering the master password (or the default owner
// name; or none, which a dictionary that guards only changes accepts), and
// learns how its owner name guards it.
bool OpenDictionary(const Options& options, DictionaryReader* reader, DictionarySchema* schema,
                    MasterPassword* master) {
  const std::string offered =
      options.password && !options.password->empty() ? *options.password : kDefaultOwnerName;
  std::string failedFile;
  int status = reader->Open(offered, &failedFile);
  bool openedWithoutName = false;
  if (status == RECMGR_STATUS_INVALID_OWNER_NAME && reader->Open("", &failedFile) == 0) {
    status = 0;
    openedWithoutName = true;
    if (options.password) Warn("the master password given with --password does not open the dictionary");
  }
  if (status != 0) {
    std::string hint;
    if (status == RECMGR_STATUS_INVALID_OWNER_NAME)
      hint = options.password ? " (the master password given with --password does not open it)"
                              : " (give the master password with --password)";
    else if (status == RECMGR_STATUS_FILE_NOT_FOUND)
      hint = " (is this the dictionary's folder?)";
    Error(failedFile + ": " + RecmgrStatusWords(status) + hint);
    return false;
  }
  status = reader->ReadTables(&schema->tables);
  if (status != 0) {
    Error(std::string(kFileDictionaryName) + ": " + RecmgrStatusWords(status));
    return false;
  }
  const OwnerInfo owner =
      LearnOwner(kFileDictionaryName, openedWithoutName || OpensWith(kFileDictionaryName, ""),
                 openedWithoutName ? std::nullopt : std::optional(offered));
  master->guardsChangesOnly = owner.mode == OwnerMode::kGuardsChanges;
  master->text = owner.name;
  // The default owner name guarding every open is no master password.
  master->set = owner.mode == OwnerMode::kGuardsChanges ||
                (owner.mode == OwnerMode::kGuardsAll && offered != kDefaultOwnerName);
  return true;
}

std::vector<ColumnShape> ShapesOf(const TableSchema& table) {
  std::vector<ColumnShape> shapes;
  shapes.reserve(table.columns.size());
  for (const FieldRecord& f : table.columns)
    shapes.push_back({f.typeCode, static_cast<uint32_t>(f.size), f.decimals, f.flags});
  return shapes;
}

void ReportUnreadable(const Options& options, const TableSchema& table, const DataFile& data) {
  std::string hint;
  if (data.status == RECMGR_STATUS_INVALID_OWNER_NAME)
    hint = options.dataPassword ? " (the owner name given with --data-password does not open it)"
                                : " (give its owner name with --data-password)";
  Error(table.location + " (data file of table " + table.name + "): " + RecmgrStatusWords(data.status) +
        hint);
}

// Writes the table's rows; false when reading them failed.
bool DumpRows(const TableDump& dump, DumpWriter* writer, Progress* progress, size_t tableIndex) {
  DataFile& data = *dump.data;
  const TableSchema& table = *dump.schema;
  const uint32_t expected = RecordCount(data);
  if (data.keyNumbers.empty()) {
    if (expected != 0)
      Warn("table " + table.name + ": its data file has no key to read its " + std::to_string(expected) +
           " rows in: left out");
    return true;
  }
  uint64_t written = 0;
  uint64_t count = 0;
  const int status = ReadRows(
      &data,
      [&](const std::byte* record) {
        writer->Row(dump, record);
        if (++written % kRowsPerProgressCheck == 0) progress->Update(tableIndex, table.name, written);
      },
      &count);
  if (status != 0) {
    Error(table.location + " (data file of table " + table.name + "): " + RecmgrStatusWords(status) +
          " after " + std::to_string(count) + " rows");
    return false;
  }
  if (count != expected)
    Warn("table " + table.name + ": read " + std::to_string(count) + " rows through its lowest key, " +
         std::to_string(expected) + " in the file");
  return true;
}

}  // namespace

int RunDump(const Options& given) {
  Options options = given;
  // -o names a file relative to where dictdump was started, not to -C.
  if (!options.outputFile.empty())
    options.outputFile = std::filesystem::absolute(options.outputFile).string();
  if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) {
    Error("cannot enter " + options.folder + ": " + std::strerror(errno));
    return kExitFailure;
  }
  DictionaryReader reader;
  DictionarySchema schema;
  DumpContext context;
  if (!OpenDictionary(options, &reader, &schema, &context.master)) return kExitFailure;
  std::vector<TableSchema*> tables;
  if (!ChooseTables(options, schema, &tables)) return kExitFailure;
  context.tables.assign(tables.begin(), tables.end());

  Output out;
  std::string problem;
  // A folder format's writer fills the folder itself; standard output stays
  // for what it has to list.
  if (!options.format->writesFolder && !out.Open(options.outputFile, &problem)) {
    Error(problem);
    return kExitFailure;
  }
  context.out = &out;
  context.options = &options;
  context.dictionary = &schema;
  const std::unique_ptr<DumpWriter> writer = options.format->make(context);
  Progress progress(context.tables.size());

  bool failed = false;
  writer->Begin();
  for (size_t i = 0; i < tables.size(); ++i) {
    TableSchema& table = *tables[i];
    progress.Update(i, table.name, 0);
    std::string failedFile;
    const int status = reader.ReadDetails(&table, &failedFile);
    if (status != 0) {
      Error(failedFile + " (table " + table.name + "): " + RecmgrStatusWords(status));
      failed = true;
    }
    DataFile data;
    OpenDataFile(table, options.dataPassword, &data);
    if (data.state == DataFileState::kUnreadable) {
      ReportUnreadable(options, table, data);
      failed = true;
    }
    const TableDump dump{&table, &data, ShapesOf(table), NullIndicatorsOf(table)};
    if (options.rows && writer->NeedsRowScan() && data.state == DataFileState::kOpen) {
      uint64_t scanned = 0;
      ReadRows(
          &data, [&](const std::byte* record) { writer->ScanRow(dump, record); }, &scanned);
    }
    writer->BeginTable(dump);
    if (options.rows && data.state == DataFileState::kOpen && !DumpRows(dump, writer.get(), &progress, i))
      failed = true;
    writer->EndTable(dump);
    table = TableSchema{table.file, table.name, table.location, {}, {}, {}};  // its details are written
  }
  writer->End();
  progress.Finish();
  if (writer->Finish() != 0) failed = true;
  if (!out.Finish(&problem)) {
    Error(problem);
    return kExitFailure;
  }
  return failed ? kExitFailure : 0;
}

}  // namespace dictdump
