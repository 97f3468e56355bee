#include "format_table.h"

#include <iterator>

#include "dump_writer.h"

namespace dictdump {

namespace {

// A plain array: GCC places a constexpr std::array of these in writable
// data. mkdict writes the whole dictionary, system tables included, so that
// mkdict builds the same dictionary again.
constexpr FormatEntry kFormats[] = {
    // name, writer, every table, one table, dialect, rows, folder
    FormatEntry{"mkdict", MakeMkdictWriter, true, false, false, true, false},
    FormatEntry{"sql", MakeSqlWriter, false, false, true, true, false},
    FormatEntry{"json", MakeJsonWriter, false, false, false, true, false},
    FormatEntry{"csv", MakeCsvWriter, false, true, false, true, false},
    FormatEntry{"html", MakeHtmlWriter, false, false, false, false, false},
    FormatEntry{"markdown", MakeMarkdownWriter, false, false, false, false, true},
};

}  // namespace

const FormatEntry* FindFormat(std::string_view name) {
  for (const FormatEntry& entry : kFormats)
    if (name == entry.name) return &entry;
  return nullptr;
}

const FormatEntry* DefaultFormat() { return &kFormats[0]; }

std::string FormatNames() {
  std::string names;
  for (size_t i = 0; i < std::size(kFormats); ++i) {
    if (i != 0) names += i + 1 == std::size(kFormats) ? " or " : ", ";
    names += kFormats[i].name;
  }
  return names;
}

}  // namespace dictdump
