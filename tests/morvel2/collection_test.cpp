// Collecting a table's fields and index segments: offset order, pseudo
// records left out, the 1,600-field and 425-segment limits with their
// warning, a segment whose field is missing, and tables without fields.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

const std::string kWarning = "Buffer not Large Enough, Call Quolvane Software!\a\a\n";
const std::string kOffsetHeader =
    " Offset  N Data Type  Size Dec/Case Field Name\n"
    "-------- - --------- ----- -------- ----------------------------------------\n";
const std::string kPositionHeader =
    "Position N Data Type  Size Dec/Case Field Name\n"
    "-------- - --------- ----- -------- ----------------------------------------\n";
const std::string kIndexHeader =
    "\n"
    "Index  Dup  Mod Unique Values Index Name\n"
    "-----  ---  --- ------------- ----------------------------------------\n"
    "    Seg  Case Order Nulls       Field Name\n"
    "    ---  ---- ----- -----       ----------------------------------------\n";

std::string Header(const std::string& table) {
  return "Description of Table \"" + table + "\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n" +
         "Data File located in " + table + ".DAT \n\n";
}

// Columns C0001..Cnnnn declared from the highest offset down; the listing
// under O shows the first 1,600 by offset.
ReportCase WideTable(const char* name, int columns, const std::string& expectedErr) {
  std::string ddl = "CREATE TABLE Wide NO FILE (\n";
  char text[80];
  for (int i = 1; i <= columns; ++i) {
    std::snprintf(text, sizeof text, "%sC%04d INTEGER AT %d", i > 1 ? ",\n" : "", i, (columns - i) * 4);
    ddl += text;
  }
  ddl += ");\n";
  std::string expected = Header("Wide") + kOffsetHeader;
  for (int listed = 0; listed < columns && listed < 1600; ++listed) {
    std::snprintf(text, sizeof text, "%6d     Integer       4    0     C%04d\n", listed * 4,
                  columns - listed);
    expected += text;
  }
  return {{name}, ddl, {"Wide", "/fo"}, expected + kTrailer, expectedErr};
}

// `total` segments in indexes of at most 100 segments (so that no segment
// number reaches the string marker), declared from the last index number
// down; each index starts on Name and goes on with Id. The listing follows
// the index numbers and stops after 425 segments.
ReportCase ManySegments(const char* name, int total, const std::string& expectedErr) {
  const int indexes = (total + 99) / 100;
  std::string ddl = "CREATE TABLE Segs NO FILE (Id INTEGER, Name CHAR(4));\n";
  for (int index = indexes - 1; index >= 0; --index) {
    ddl += "CREATE INDEX Idx" + std::to_string(index) + " ON Segs (Name";
    for (int segment = 1; segment < std::min(100, total - index * 100); ++segment) ddl += ", Id";
    ddl += ") NUMBER " + std::to_string(index) + ";\n";
  }

  // Without B only index 0 finds a key entry (all zero): 0 values.
  std::string expected = Header("Segs") + kIndexHeader;
  char text[80];
  for (int listed = 0; listed < total && listed < 425; ++listed) {
    const int index = listed / 100, segment = listed % 100;
    if (segment == 0) {
      std::snprintf(text, sizeof text, "%3d    Yes  No   %sIdx%d\n", index,
                    index == 0 ? "           0 " : "  (Unknown)   ", index);
      expected += text;
    }
    std::snprintf(text, sizeof text, "%6d   %s  Asc   No         %s\n", segment + 1,
                  segment == 0 ? "Sens" : "n/a ", segment == 0 ? "Name" : "Id");
    expected += text;
  }
  return {{name}, ddl, {"Segs", "/i"}, expected + kTrailer, expectedErr};
}

INSTANTIATE_TEST_SUITE_P(
    Collection, ReportTest,
    ::testing::Values(
        ReportCase{"FieldsComeInOffsetOrder",
                   "CREATE TABLE Shuffled NO FILE (C10 INTEGER AT 10, C0 INTEGER AT 0, C4 CHAR(6) AT 4);\n",
                   {"Shuffled", "/of"},
                   Header("Shuffled") + kOffsetHeader +
                       "     0     Integer       4    0     C0\n"
                       "     4     Character     6 Sensitiv C4\n"
                       "    10     Integer       4    0     C10\n" +
                       kTrailer},
        // Columns stored with the pseudo-record type codes (255 index name,
        // 227 constraint) are no columns, so the table has nothing to list.
        ReportCase{"OnlyIndexNamesAndConstraintsCollectNoField",
                   "CREATE TABLE Names (Pseudo TYPE 255 (4), Rule TYPE 227 (2));\n"
                   "CREATE INDEX OnPseudo ON Names (Pseudo);\n"
                   "CREATE CONSTRAINT Positive ON Names;\n",
                   {"Names", "/bfi"},
                   kTrailer},
        ReportCase{
            "TableWithoutFieldsPrintsTheTrailerOnly", "CREATE TABLE Bare ();\n", {"Bare", "/bfi"}, kTrailer},
        ReportCase{"TableWithoutFieldsInTheAllTablesRun",
                   "CREATE TABLE Bare ();\nCREATE TABLE Empty NO FILE ();\n",
                   {"*", "/a"},
                   kTrailer + kTrailer,
                   "Printing Report for ALL Tables.\n"},
        WideTable("FieldsBelowTheLimit", 1599, ""), WideTable("Exactly1600Fields", 1600, kWarning),
        WideTable("FieldsOverTheLimit", 1700, kWarning), ManySegments("SegmentsBelowTheLimit", 424, ""),
        ManySegments("Exactly425Segments", 425, kWarning),
        ManySegments("SegmentsOverTheLimit", 430, kWarning)),
    CaseName());

// The segment index of one dictionary, whose second segment names field
// 99, laid beside the field dictionary of another that has no field 99.
TEST(Collection, SegmentWithoutItsFieldRecord) {
  TempDir donor, folder;
  ASSERT_EQ(BuildDictionary(donor.str(),
                            "CREATE TABLE T NO FILE (A INTEGER ID 1, B CHAR(4) ID 99);\n"
                            "CREATE INDEX ByAB ON T (A, B);\n")
                .exitCode,
            0);
  ASSERT_EQ(BuildDictionary(folder.str(),
                            "CREATE TABLE T NO FILE (A INTEGER ID 1, B CHAR(4) ID 2);\n"
                            "CREATE INDEX ByAB ON T (A, B);\n")
                .exitCode,
            0);
  std::filesystem::copy_file(donor / "PVINDEX.DDF", folder / "PVINDEX.DDF",
                             std::filesystem::copy_options::overwrite_existing);
  const ProcessResult result = RunMorvel2(folder.str(), {"T", "/fi"});
  ExpectPrinted(result,
                Header("T") + kPositionHeader +
                    "     1     Integer       4    0     A\n"
                    "     5     Character     4 Sensitiv B\n" +
                    kIndexHeader +
                    "  0    Yes  No              0 ByAB\n"
                    "     1   n/a   Asc   No         A\n"
                    "     2   n/a   Asc   No         FieldReadError 4\n" +
                    kTrailer,
                "");
}

}  // namespace
}  // namespace testsupport
