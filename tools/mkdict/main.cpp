// mkdict: builds a dictionary and its data files from a description.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "command_line.h"
#include "commit_journal.h"
#include "data_file_writer.h"
#include "dictionary_writer.h"
#include "lexer.h"
#include "location_checks.h"
#include "model_builder.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "old_dictionary.h"
#include "output_files.h"
#include "parser.h"

namespace mkdict {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int ReportDescriptionError(const std::string& file, const DescriptionError& error) {
  std::fprintf(stderr, "%s:%d:%d: %s\n", file.c_str(), error.pos.line, error.pos.column,
               error.reason.c_str());
  return kExitFailure;
}

int ReportFailure(const std::string& reason) {
  std::fprintf(stderr, "mkdict: %s\n", reason.c_str());
  return kExitFailure;
}

// Reads the description, which must be a regular file.
bool ReadDescription(const std::string& path, std::string* text, std::string* failure) {
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
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  *text = content.str();
  *failure = "cannot read " + path;
  return in.is_open() && !in.bad();
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

int Run(const CommandLine& command) {
  bool locked = false;
  std::string text;
  std::string failure;
  if (!RecoverFolder(command.folder, &locked, &failure)) return ReportFailure(failure);
  if (command.recover) return 0;
  if (!ReadDescription(command.description, &text, &failure)) return ReportFailure(failure);
  std::vector<Token> tokens;
  std::vector<Statement> statements;
  Database database;
  DescriptionError error;
  if (!Lex(text, &tokens, &error) || !Parse(tokens, &statements, &error) ||
      !BuildModel(statements, &database, &error) || !CheckLocations(database, command.folder, &error)) {
    return ReportDescriptionError(command.description, error);
  }
  std::vector<OutputFile> files;
  for (const Table& table : database.tables) {
    if (table.hasDataFile && !PrepareDataFile(table, command.folder, &files, &error)) {
      return ReportDescriptionError(command.description, error);
    }
  }
  std::string owner = command.password.value_or(database.password.value_or(""));
  if (owner.empty()) owner = kDefaultOwnerName;
  const bool guardsChanges = command.passwordGuardsChanges.value_or(database.passwordGuardsChanges);
  const auto guards = guardsChanges ? recmgr::OwnerGuards::kChanges : recmgr::OwnerGuards::kAll;
  if (!CheckExistingFiles(database, command.folder, command.replace, &failure) ||
      !PrepareDictionary(database, command.folder, owner, guards, &files, &failure)) {
    return ReportFailure(failure);
  }
  const std::vector<std::string> warnings = DataFilesLeftBehind(database, command.folder, owner);
  std::error_code code;
  std::filesystem::create_directories(command.folder, code);
  if (code) return ReportFailure("cannot create folder " + command.folder + ": " + code.message());
  if ((!locked && !LockFolder(command.folder, &failure)) || !WriteAll(command.folder, &files, &failure)) {
    return ReportFailure(failure);
  }
  for (const std::string& warning : warnings) std::fprintf(stderr, "mkdict: warning: %s\n", warning.c_str());
  return 0;
}

}  // namespace
}  // namespace mkdict

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  mkdict::CommandLine command;
  std::string problem;
  if (!mkdict::ParseCommandLine(arguments, &command, &problem)) {
    std::fprintf(stderr, "mkdict: %s (see mkdict --help)\n", problem.c_str());
    return mkdict::kExitUsage;
  }
  if (command.help) {
    std::fputs(mkdict::kUsageText, stdout);
    return 0;
  }
  return mkdict::Run(command);
}
