#include "run_dump.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "dump_writer.h"
#include "morvel2/common/progress_line.h"
#include "morvel2/dictionary/dictionary_names.h"
#include "output_target.h"

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

// Fails a table whose rows were not all read, with the line that says so
// on standard error as it stands: "TABLE: read N of M rows: reason".
void FailRows(TableDump* dump, const RowsRead& read) {
  dump->complete = false;
  dump->failure = dump->schema->name + ": read " + std::to_string(read.count) + " of " +
                  std::to_string(RecordCount(*dump->data)) + " rows: " + read.failure;
  std::fprintf(stderr, "%s\n", dump->failure.c_str());
}

// The progress line's text while a table's rows are written.
std::string TableProgress(size_t tableIndex, size_t tableCount, const std::string& table, uint64_t rows) {
  return "table " + std::to_string(tableIndex + 1) + " of " + std::to_string(tableCount) + ", " +
         table.substr(0, 60) + ": " + std::to_string(rows) + " rows";
}

// Writes the table's rows; on failure, fails the table.
void DumpRows(TableDump* dump, DumpWriter* writer, ProgressLine* progress, size_t tableIndex,
              size_t tableCount) {
  const std::string& name = dump->schema->name;
  uint64_t written = 0;
  const RowsRead read = ReadRows(dump->data, [&](const std::byte* record) {
    writer->Row(*dump, record);
    if (++written % kRowsPerProgressCheck == 0 && progress->Due())
      progress->Show(TableProgress(tableIndex, tableCount, name, written));
  });
  if (!read.failure.empty()) FailRows(dump, read);
}

// The files -o must never name: the dictionary's, and every table's data
// file, whether dumped or not.
std::vector<GuardedFile> GuardedFiles(const DictionarySchema& schema) {
  std::vector<GuardedFile> files;
  for (const char* name : {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName})
    files.emplace_back(name, std::string("the dictionary file ") + name);
  for (const TableSchema& table : schema.tables)
    files.emplace_back(table.location, "the data file of table " + table.name);
  return files;
}

}  // namespace

int RunDump(const Options& given) {
  Options options = given;
  // -o names a file relative to where dictdump was started, not to -C;
  // "-o -" is standard output.
  if (options.outputFile == "-") options.outputFile.clear();
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

  const std::string refusal = RefusedOutput(options.outputFile, GuardedFiles(schema));
  if (!refusal.empty()) {
    Error("will not write to " + options.outputFile + ": it " + refusal);
    return kExitFailure;
  }
  Output out;
  std::string problem;
  // A folder format's writer fills the folder itself; standard output stays
  // for what it has to list.
  if (!out.Open(options.format->writesFolder ? std::string() : options.outputFile, &problem)) {
    Error(problem);
    return kExitFailure;
  }
  context.out = &out;
  context.options = &options;
  context.dictionary = &schema;
  const std::unique_ptr<DumpWriter> writer = options.format->make(context);
  ProgressLine progress("dictdump");

  bool failed = false;
  const DictionaryFileIds dictionaryFiles;
  writer->Begin();
  for (size_t i = 0; i < tables.size(); ++i) {
    TableSchema& table = *tables[i];
    if (progress.Due()) progress.Show(TableProgress(i, tables.size(), table.name, 0));
    std::string failedFile;
    const int status = reader.ReadDetails(&table, &failedFile);
    if (status != 0) Error(failedFile + " (table " + table.name + "): " + RecmgrStatusWords(status));
    DataFile data;
    OpenDataFile(table, options.dataPassword, dictionaryFiles, &data);
    if (data.state == DataFileState::kUnreadable) ReportUnreadable(options, table, data);
    TableDump dump{&table, &data, ShapesOf(table), NullIndicatorsOf(table), true, {}};
    if (status != 0) {
      dump.complete = false;
      dump.failure = table.name + ": its description could not be read: " + RecmgrStatusWords(status);
    } else if (options.rows && data.state == DataFileState::kUnreadable) {
      dump.complete = false;
      dump.failure = table.name + ": its data file could not be read: " + RecmgrStatusWords(data.status);
    }
    bool readRows = options.rows && data.state == DataFileState::kOpen;
    if (readRows && writer->NeedsRowScan()) {
      const RowsRead scan = ReadRows(&data, [&](const std::byte* record) { writer->ScanRow(dump, record); });
      if (!scan.failure.empty()) {
        FailRows(&dump, scan);
        readRows = false;
      }
    }
    writer->BeginTable(dump);
    if (readRows) DumpRows(&dump, writer.get(), &progress, i, tables.size());
    if (!dump.complete) failed = true;
    writer->EndTable(dump);
    table = TableSchema{table.file, table.name, table.location, {}, {}, {}};  // its details are written
  }
  writer->End();
  progress.Clear();
  if (writer->Finish() != 0) failed = true;
  if (!out.Finish(&problem)) {
    Error(problem);
    return kExitFailure;
  }
  return failed ? kExitFailure : 0;
}

}  // namespace dictdump
