// mkdict: builds a dictionary and its data files from a description.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "command_line.h"
#include "data_file_writer.h"
#include "dictionary_writer.h"
#include "lexer.h"
#include "model_builder.h"
#include "morvel2/dictionary/dictionary_records.h"
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

bool ReadDescription(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream content;
  content << in.rdbuf();
  *text = content.str();
  return !in.bad();
}

int Run(const CommandLine& command) {
  std::string text;
  if (!ReadDescription(command.description, &text)) {
    return ReportFailure("cannot read " + command.description);
  }
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
  std::string failure;
  bool guardsChanges = command.passwordGuardsChanges.value_or(database.passwordGuardsChanges);
  auto guards = guardsChanges ? recmgr::OwnerGuards::kChanges : recmgr::OwnerGuards::kAll;
  if (!PrepareDictionary(database, command.folder, owner, guards, &files, &failure) ||
      !WriteAll(&files, &failure)) {
    return ReportFailure(failure);
  }
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
