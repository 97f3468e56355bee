// A table as wide as the report holds: 1,600 columns and 425 index
// segments, every line in place; and one column and one segment more, which
// are left out with a warning each. The description and the expected report
// are both generated here from the same data.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "report_runner.h"

namespace testsupport {
namespace {

constexpr int kFieldCapacity = 1600;
constexpr int kSegmentCapacity = 425;
const std::string kArrayFull = "Buffer not Large Enough, Call Quolvane Software!\a\a\n";

struct ColumnKind {
  const char* declaration;
  const char* typeName;
  int size;
  const char* decimalOrCase;
  bool nullable;
  bool string;
};

// Columns cycle through these kinds.
const ColumnKind kColumnKinds[] = {
    {"CHAR(12)", "Character", 12, "Sensitiv", false, true},
    {"ZSTRING(8) CASE INSENSITIVE", "ZString  ", 8, "Insenstv", false, true},
    {"INTEGER", "Integer  ", 4, "   0    ", false, false},
    {"DECIMAL(6,2) NULL", "Decimal  ", 6, "   2    ", true, false},
    {"BLOB(10) BINARY", "BLOB     ", 10, " BINARY ", false, false},
    {"LSTRING(5) NULL", "LString  ", 5, "Sensitiv", true, true},
    {"WSTRING(4) CASE INSENSITIVE", "WString  ", 4, "Insenstv", false, true},
    {"TYPE 200(3)", "Type 200 ", 3, "   0    ", false, false},
};
constexpr int kColumnKindCount = sizeof kColumnKinds / sizeof kColumnKinds[0];

struct SegmentKind {
  const char* options;
  const char* stringCase;  // the case column on a string column
  bool descending;
  bool nullKey;
};

// Segments cycle through these kinds. A segment says CASE SENSITIVE where it
// would otherwise take its column's CASE INSENSITIVE.
const SegmentKind kSegmentKinds[] = {
    {" CASE SENSITIVE", "Sens", false, false},
    {" DESC CASE SENSITIVE", "Sens", true, false},
    {" CASE INSENSITIVE", "Ins.", false, false},
    {" ACS CASE SENSITIVE", "ACS", false, false},
    {" NULL KEY CASE SENSITIVE", "Sens", false, true},
    {" ACS CASE INSENSITIVE DESC NULL KEY", "ACS", true, true},
};
constexpr int kSegmentKindCount = sizeof kSegmentKinds / sizeof kSegmentKinds[0];

struct Column {
  std::string name;
  const ColumnKind* kind;
  int offset;
};

struct Segment {
  int column;
  const SegmentKind* kind;
};

struct Index {
  int number;
  std::string name;  // empty: no index-name record
  bool unique;
  bool modifiable;
  std::vector<Segment> segments;
};

struct WideTable {
  std::vector<Column> columns;
  std::vector<Index> indexes;
};

std::string Numbered(const char* stem, int number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%04d", stem, number);
  return text;
}

// Index 0 holds 210 segments, all on string columns, so that segment
// numbers past 200 appear; the other indexes hold five segments each on
// columns of every kind. `extraSegments` more go into one last index.
WideTable MakeWideTable(int columnCount, int extraSegments) {
  WideTable table;
  int offset = 0;
  for (int i = 0; i < columnCount; ++i) {
    const ColumnKind* kind = &kColumnKinds[i % kColumnKindCount];
    if (kind->nullable) ++offset;  // the null indicator mkdict leaves before it
    table.columns.push_back({Numbered("Column", i + 1), kind, offset});
    offset += kind->size;
  }

  Index first{0, "Index0000", false, false, {}};
  for (int i = 0; i < columnCount && first.segments.size() < 210; ++i)
    if (table.columns[i].kind->string)
      first.segments.push_back({i, &kSegmentKinds[first.segments.size() % kSegmentKindCount]});
  table.indexes.push_back(first);

  int segmentCount = static_cast<int>(first.segments.size());
  for (int number = 1; segmentCount < kSegmentCapacity + extraSegments; ++number) {
    const int size = std::min(5, kSegmentCapacity + extraSegments - segmentCount);
    Index index{
        number, number % 7 == 3 ? "" : Numbered("Index", number), number % 3 == 0, number % 2 == 1, {}};
    for (int s = 0; s < size; ++s)
      index.segments.push_back(
          {(number * 37 + s * 11) % columnCount, &kSegmentKinds[(number + s) % kSegmentKindCount]});
    segmentCount += size;
    table.indexes.push_back(index);
  }
  return table;
}

std::string Describe(const WideTable& table) {
  std::string ddl = "CREATE TABLE Wide NO FILE NULLABLE (\n";
  for (size_t i = 0; i < table.columns.size(); ++i)
    ddl += std::string(i ? ",\n  " : "  ") + table.columns[i].name + " " + table.columns[i].kind->declaration;
  ddl += "\n);\n";
  for (const Index& index : table.indexes) {
    ddl += std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " + index.name + " ON Wide (";
    for (size_t s = 0; s < index.segments.size(); ++s)
      ddl += std::string(s ? ", " : "") + table.columns[index.segments[s].column].name +
             index.segments[s].kind->options;
    ddl += ") NUMBER " + std::to_string(index.number) + (index.modifiable ? " MODIFIABLE" : "") + ";\n";
  }
  return ddl;
}

std::string Printed(const char* format, auto... values) {
  char line[512];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

// The report of `table` with /ofi or /fi: the first 1,600 columns and the
// first 425 segments.
std::string ExpectedReport(const WideTable& table, bool offsets) {
  std::string report =
      "Description of Table \"Wide\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
      "Data File located in Wide.DAT (Nullable)\n\n";
  report += offsets ? " Offset " : "Position";
  report +=
      " N Data Type  Size Dec/Case Field Name\n"
      "-------- - --------- ----- -------- ----------------------------------------\n";
  const int fieldCount = std::min<int>(kFieldCapacity, table.columns.size());
  for (int i = 0; i < fieldCount; ++i) {
    const Column& column = table.columns[i];
    report += Printed("%6d   %c %s%6d %s %s\n", column.offset + (offsets ? 0 : 1),
                      column.kind->nullable ? '*' : ' ', column.kind->typeName, column.kind->size,
                      column.kind->decimalOrCase, column.name.c_str());
  }
  report +=
      "\n"
      "Index  Dup  Mod Unique Values Index Name\n"
      "-----  ---  --- ------------- ----------------------------------------\n"
      "    Seg  Case Order Nulls       Field Name\n"
      "    ---  ---- ----- -----       ----------------------------------------\n";
  int segmentsLeft = kSegmentCapacity;
  for (const Index& index : table.indexes) {
    if (segmentsLeft == 0) break;
    // Without B only index 0 has a count: zero.
    report += Printed("%3d    %-5s%-5s%s%s\n", index.number, index.unique ? "No " : "Yes",
                      index.modifiable ? "Yes" : "No ",
                      index.number == 0 ? "           0 " : "  (Unknown)   ", index.name.c_str());
    for (size_t s = 0; s < index.segments.size() && segmentsLeft > 0; ++s, --segmentsLeft) {
      const Segment& segment = index.segments[s];
      const Column& column = table.columns[segment.column];
      report += Printed("%6d   %-5s %-6s%-5s      %s\n", static_cast<int>(s + 1),
                        column.kind->string ? segment.kind->stringCase : "n/a",
                        segment.kind->descending ? "Des" : "Asc", segment.kind->nullKey ? "Yes" : "No ",
                        column.name.c_str());
    }
  }
  return report + kTrailer;
}

// Filled to capacity, each array warns once, also when nothing was left out.
ReportCase Wide(const char* name, int columnCount, int extraSegments, const char* options) {
  const WideTable table = MakeWideTable(columnCount, extraSegments);
  return {{name},
          Describe(table),
          {"Wide", options},
          ExpectedReport(table, std::string(options) == "/ofi"),
          kArrayFull + kArrayFull};
}

INSTANTIATE_TEST_SUITE_P(Limits, ReportTest,
                         ::testing::Values(Wide("ExactlyFull", kFieldCapacity, 0, "/fi"),
                                           Wide("OneColumnAndOneSegmentTooMany", kFieldCapacity + 1, 1,
                                                "/ofi")),
                         CaseName());

}  // namespace
}  // namespace testsupport
