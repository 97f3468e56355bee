// dictdump's command line.
#ifndef DICTDUMP_OPTIONS_H
#define DICTDUMP_OPTIONS_H

#include <optional>
#include <string>
#include <vector>

#include "format_table.h"

namespace dictdump {

enum class Dialect { kSqlite, kPostgres };

struct Options {
  std::string folder;                       // -C: where the dictionary is; empty: the current folder
  std::optional<std::string> password;      // master password
  std::optional<std::string> dataPassword;  // owner name of the data files
  const FormatEntry* format = DefaultFormat();
  Dialect dialect = Dialect::kSqlite;
  bool schema = true;               // off under --data-only
  bool rows = true;                 // off under --schema-only
  std::vector<std::string> tables;  // --table, in the order given
  bool system = false;
  std::string outputFile;              // -o; empty: standard output
  bool check = false;                  // --check: compare the -o folder, write nothing
  std::vector<std::string> arguments;  // the command line, for the page that names it
};

enum class Action { kDump, kHelp, kVersion, kWrongCommandLine };

// Reads argv; on kWrongCommandLine, *problem says what is wrong.
Action ParseOptions(int argc, char** argv, Options* options, std::string* problem);

extern const char* const kUsageText;

}  // namespace dictdump

#endif  // DICTDUMP_OPTIONS_H
