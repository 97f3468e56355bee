// mkdict: builds a dictionary and its data files from a description, read
// as a stream: schema statements build the model, each row goes straight to
// its table's data file.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <variant>

#include "command_line.h"
#include "commit_journal.h"
#include "data_file_writer.h"
#include "dictionary_writer.h"
#include "lexer.h"
#include "location_checks.h"
#include "model_builder.h"
#include "morvel2/common/program_output.h"
#include "morvel2/common/progress_line.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "old_dictionary.h"
#include "output_files.h"
#include "parser.h"
#include "row_locator.h"
#include "value_encoding.h"

namespace mkdict {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Messages of a build clear its progress line first.
int ReportDescriptionError(const std::string& file, const DescriptionError& error,
                           ProgressLine* progress = nullptr) {
  if (progress != nullptr) progress->Clear();
  std::fprintf(stderr, "%s:%d:%d: %s\n", file.c_str(), error.pos.line, error.pos.column,
               error.reason.c_str());
  return kExitFailure;
}

int ReportFailure(const std::string& reason, ProgressLine* progress = nullptr) {
  if (progress != nullptr) progress->Clear();
  std::fprintf(stderr, "mkdict: %s\n", reason.c_str());
  return kExitFailure;
}

// Standard input: "-", or /dev/stdin by name.
bool IsStandardInput(const std::string& path) { return path == "-" || path == "/dev/stdin"; }

using DescriptionFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// Opens the description: standard input, or a regular file (not a folder,
// nor a device that might never end).
bool OpenDescription(const std::string& path, DescriptionFile* in, std::string* failure) {
  if (IsStandardInput(path)) {
    *in = DescriptionFile(stdin, [](std::FILE*) { return 0; });  // stays open
    return true;
  }
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    *failure = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *failure =
        path + (S_ISDIR(info.st_mode) ? " is a folder" : " is not a regular file") + ", not a description";
    return false;
  }
  in->reset(std::fopen(path.c_str(), "rb"));
  *failure = "cannot read " + path;
  return *in != nullptr;
}

// Where the description can be read a second time, to name two rows that
// clash: standard input only when it is a file, reopened from its start.
std::string RereadablePath(const std::string& path) {
  if (!IsStandardInput(path)) return path;
  struct stat info;
  return fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode) ? "/dev/stdin" : "";
}

// Locks `folder`, if it exists, and finishes or undoes a run that died in
// it, saying which. Sets *locked once the folder is locked.
bool RecoverFolder(const std::string& folder, bool* locked, std::string* failure) {
  std::error_code ignored;
  if (!std::filesystem::exists(folder, ignored)) return true;  // nothing to recover
  if (!std::filesystem::is_directory(folder, ignored)) {
    *failure = folder + " is not a folder";
    return false;
  }
  if (!LockFolder(folder, failure)) return false;
  *locked = true;
  Recovery done = Recovery::kNothing;
  if (!Recover(folder, &done, failure)) {
    *failure = "cannot recover the run that died in " + folder + ": " + *failure;
    return false;
  }
  if (done == Recovery::kFinished) {
    std::fprintf(stderr, "mkdict: %s: finished the run that died after its commit point\n", folder.c_str());
  } else if (done == Recovery::kUndone) {
    std::fprintf(stderr, "mkdict: %s: undid the run that died before its commit point\n", folder.c_str());
  }
  return true;
}

// Bytes of key values a data file sorts in memory; MKDICT_SORT_MEMORY sets
// it (tests make it small to force sort runs). 0: the writer's default.
size_t SortMemoryFromEnvironment() {
  const char* text = std::getenv("MKDICT_SORT_MEMORY");
  return text == nullptr ? 0 : static_cast<size_t>(std::strtoull(text, nullptr, 10));
}

// Values given to a column that will read back as NULL (see MarkValue).
struct ValuesReadAsNull {
  uint64_t count = 0;
  int firstRow = 0;
  int firstStatementLine = 0;
};

// The progress line looks at the clock once in so many rows.
constexpr uint64_t kRowsBetweenProgressLooks = (uint64_t{1} << 14) - 1;

// Handles each statement and row as the parser reads it.
struct DescriptionBuild : StatementHandler {
  Database& database;
  Outputs& out;
  ProgressLine& progress;
  ModelBuilder builder{&database};
  DataFiles files;
  InsertTarget target;
  mkdict::Row row;                                                   // the row being encoded
  std::string failure;                                               // a fault that is not the description's
  std::map<std::pair<size_t, size_t>, ValuesReadAsNull> readAsNull;  // by table and column
  uint64_t rowsRead = 0;

  DescriptionBuild(Database& d, Outputs& o, ProgressLine& p) : database(d), out(o), progress(p) {}

  bool Statement(const mkdict::Statement& statement, DescriptionError* error) override {
    if (const auto* insert = std::get_if<InsertDef>(&statement)) {
      return builder.StartInsert(*insert, &target, error);
    }
    if (!builder.Add(statement, error)) return false;
    if (std::holds_alternative<TableDef>(statement) && database.tables.back().hasDataFile) {
      return StartDataFile(database, database.tables.size() - 1, &out, &files, error);
    }
    return true;
  }

  bool Row(const RowDef& rowDef, DescriptionError* error) override {
    if (!EncodeRow(database.tables[target.table], target.columns, rowDef, target.statementPos,
                   ++target.rowNumber, target.numbering, &row, error)) {
      return false;
    }
    for (size_t column : row.readsAsNull) {
      ValuesReadAsNull& values = readAsNull[{target.table, column}];
      if (values.count++ == 0) {
        values.firstRow = row.number;
        values.firstStatementLine = row.statementLine;
      }
    }
    if ((++rowsRead & kRowsBetweenProgressLooks) == 0 && progress.Due())
      progress.Show(std::to_string(rowsRead) + " rows read");
    return AddRow(target.table, row.record, &out, &files, &failure);
  }
};

// The description error for two rows of a data file that hold one value of
// a unique index.
DescriptionError ClashError(const std::string& description, const Database& database,
                            const DataFileClash& clash) {
  const std::string again = RereadablePath(description);
  const Table& table = database.tables[clash.table];
  std::string indexText = "number " + std::to_string(clash.keys.key);
  for (const Index& index : table.indexes) {
    if (index.number == clash.keys.key && index.name) indexText = *index.name;
  }
  RowPlace first, second;
  if (again.empty() || !LocateRows(again, table.name, clash.keys.first, clash.keys.second, &first, &second)) {
    const char* why = again.empty() ? " (standard input is read only once: the rows can't be named)"
                                    : " (the description could not be read again to name the rows)";
    return {table.pos, "duplicate key in unique index " + indexText + " of table " + table.name + why};
  }
  return {second.pos, "duplicate key in unique index " + indexText + " of table " + table.name +
                          ": same as " + RowText(static_cast<int>(first.rowNumber), first.statement.line)};
}

// Undoes a build that stops short of putting its files in place: drops
// every writer, and with it every temporary, and takes away the folders the
// build made.
class UndoUnlessFinished {
 public:
  UndoUnlessFinished(Outputs* out, const std::vector<std::filesystem::path>* madeFolders)
      : out_(out), madeFolders_(madeFolders) {}
  ~UndoUnlessFinished() {
    if (finished_) return;
    Abandon(out_);
    std::error_code ignored;
    for (const std::filesystem::path& made : *madeFolders_) std::filesystem::remove(made, ignored);
  }
  UndoUnlessFinished(const UndoUnlessFinished&) = delete;
  UndoUnlessFinished& operator=(const UndoUnlessFinished&) = delete;

  void Finished() { finished_ = true; }

 private:
  Outputs* out_;
  const std::vector<std::filesystem::path>* madeFolders_;
  bool finished_ = false;
};

int Run(const CommandLine& command) {
  bool locked = false;
  std::string failure;
  if (!RecoverFolder(command.folder, &locked, &failure)) return ReportFailure(failure);
  if (command.recover) return 0;
  DescriptionFile in(nullptr, &std::fclose);
  if (!OpenDescription(command.description, &in, &failure)) return ReportFailure(failure);
  ProgressLine progress("mkdict");
  Database database;
  Outputs out;
  // The output folder and any missing above it, once made.
  std::vector<std::filesystem::path> madeFolders;
  UndoUnlessFinished undo(&out, &madeFolders);
  out.folder = command.folder;
  out.sortMemory = SortMemoryFromEnvironment();
  Lexer lexer(in.get());
  DescriptionBuild build(database, out, progress);
  DescriptionError error;
  const bool read = Parse(lexer, build, &error) && SetDataFileKeys(database, build.files, &out, &error) &&
                    CheckLocations(database, command.folder, &error);
  in.reset();
  if (!read) {
    if (lexer.ReadFailed()) {
      return ReportFailure(
          "cannot read " + (command.description == "-" ? "standard input" : command.description), &progress);
    }
    if (!build.failure.empty()) return ReportFailure(build.failure, &progress);
    return ReportDescriptionError(command.description, error, &progress);
  }
  if (command.replace && !command.allowEmpty && database.tables.empty()) {
    // Most likely a redirect that failed: it would empty the dictionary.
    const std::string name = command.description == "-" ? "standard input" : command.description;
    return ReportFailure(name + " defines no table; --replace with it would empty " + command.folder +
                             "'s dictionary (--allow-empty allows that)",
                         &progress);
  }
  std::string owner = command.password.value_or(database.password.value_or(""));
  if (owner.empty()) owner = kDefaultOwnerName;
  const bool guardsChanges = command.passwordGuardsChanges.value_or(database.passwordGuardsChanges);
  const auto guards = guardsChanges ? recmgr::OwnerGuards::kChanges : recmgr::OwnerGuards::kAll;
  if (!CheckExistingFiles(database, command.folder, command.replace, &failure) ||
      !PrepareDictionary(database, command.folder, owner, guards, &out.files, &failure)) {
    return ReportFailure(failure, &progress);
  }
  const std::vector<std::string> warnings = DataFilesLeftBehind(database, command.folder, owner);
  // The output folder and any missing above it are made now; a duplicate
  // key is found only while staging, so a failure then takes them away.
  std::error_code code;
  for (std::filesystem::path at = command.folder; !at.empty() && !std::filesystem::exists(at, code);
       at = at.parent_path()) {
    madeFolders.push_back(at);
    if (at == at.parent_path()) break;
  }
  std::filesystem::create_directories(command.folder, code);
  if (code) return ReportFailure("cannot create folder " + command.folder + ": " + code.message(), &progress);
  std::optional<DataFileClash> clash;
  const size_t fileCount = out.files.size();
  auto onStage = [&](const OutputFile& file, size_t done) {
    if (progress.Due(false))
      progress.Show("writing " + std::to_string(done + 1) + " of " + std::to_string(fileCount) + ": " +
                    file.path);
  };
  if ((!locked && !LockFolder(command.folder, &failure)) ||
      !WriteAll(command.folder, &out.files, &failure, &clash, onStage)) {
    if (clash) {
      return ReportDescriptionError(command.description, ClashError(command.description, database, *clash),
                                    &progress);
    }
    return ReportFailure(failure, &progress);
  }
  undo.Finished();
  progress.Clear();
  for (const std::string& warning : warnings) std::fprintf(stderr, "mkdict: warning: %s\n", warning.c_str());
  for (const auto& [place, values] : build.readAsNull) {
    const Table& table = database.tables[place.first];
    std::fprintf(stderr,
                 "mkdict: warning: table %s column %s: a value of zero bytes reads back as NULL (%s); "
                 "rows with one: %llu, the first %s\n",
                 table.name.c_str(), table.columns[place.second].name.c_str(),
                 table.flags & kTableNullable ? "no free byte before the column for a null indicator"
                                              : "the table is not NULLABLE",
                 static_cast<unsigned long long>(values.count),
                 RowText(values.firstRow, values.firstStatementLine).c_str());
  }
  return 0;
}

}  // namespace
}  // namespace mkdict

namespace mkdict {
namespace {

// Every table with rows keeps its records' temporary open until the files
// are staged, so a description of thousands of tables needs as many file
// descriptors: take all the hard limit allows, not the soft limit's 1024.
void RaiseOpenFileLimit() {
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);
  }
}

}  // namespace
}  // namespace mkdict

int main(int argc, char** argv) {
  mkdict::RaiseOpenFileLimit();
  std::vector<std::string> arguments(argv + 1, argv + argc);
  mkdict::CommandLine command;
  std::string problem;
  if (!mkdict::ParseCommandLine(arguments, &command, &problem)) {
    std::fprintf(stderr, "mkdict: %s (see mkdict --help)\n", problem.c_str());
    return mkdict::kExitUsage;
  }
  if (command.help || command.version) {
    if (command.help) std::fputs(mkdict::kUsageText, stdout);
    if (command.version) PrintVersion("mkdict");
    return FinishStandardOutput("mkdict", 0);
  }
  return mkdict::Run(command);
}
