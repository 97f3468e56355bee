#include "format_table.h"

#include <array>

#include "dump_writer.h"

namespace dictdump {

namespace {

// mkdict writes the whole dictionary, system tables included, so that
// mkdict builds the same dictionary again.
constexpr std::array kFormats = {
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

const FormatEntry* DefaultFormat() { return &kFormats.front(); }

std::string FormatNames() {
  std::string names;
  for (size_t i = 0; i < kFormats.size(); ++i) {
    if (i != 0) names += i + 1 == kFormats.size() ? " or " : ", ";
    names += kFormats[i].name;
  }
  return names;
}

}  // namespace dictdump
