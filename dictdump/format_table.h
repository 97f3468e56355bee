// dictdump's output formats, one row each: the name --format takes, what
// the format accepts on the command line, and its writer. A new format is
// its writer's file plus one row in format_table.cpp.
#ifndef DICTDUMP_FORMAT_TABLE_H
#define DICTDUMP_FORMAT_TABLE_H

#include <memory>
#include <string>
#include <string_view>

namespace dictdump {

class DumpWriter;
struct DumpContext;

struct FormatEntry {
  const char* name;
  std::unique_ptr<DumpWriter> (*make)(const DumpContext& context);
  bool everyTable;    // the system tables too, without --system
  bool oneTable;      // exactly one --table
  bool takesDialect;  // --dialect
  bool writesRows;    // false: the schema only, and --data-only refused
  bool writesFolder;  // -o names a folder (required), which the writer fills and --check compares
};

// The row of `name`, or nullptr.
const FormatEntry* FindFormat(std::string_view name);

// The format written without --format.
const FormatEntry* DefaultFormat();

// Every format's name, as "a, b or c".
std::string FormatNames();

}  // namespace dictdump

#endif  // DICTDUMP_FORMAT_TABLE_H
