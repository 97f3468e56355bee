// Collecting a table's fields and index segments: offset order, pseudo
// records left out, the 1,600-field and 425-segment limits with their
// warning, a segment whose field is missing, and tables without fields.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "named_case.h"
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

struct Expected {
  std::string out;
  std::string err;
};

void ExpectReport(const std::string& ddl, const std::vector<std::string>& args, const Expected& expected) {
  TempDir folder;
  const ProcessResult built = BuildDictionary(folder.str(), ddl);
  ASSERT_EQ(built.exitCode, 0) << built.err;
  const ProcessResult result = RunMorvel2(folder.str(), args);
  EXPECT_EQ(MaskDate(result.out), expected.out);
  EXPECT_EQ(result.err, expected.err);
  EXPECT_EQ(result.exitCode, 0);
}

TEST(Collection, FieldsComeInOffsetOrder) {
  ExpectReport("CREATE TABLE Shuffled NO FILE (C10 INTEGER AT 10, C0 INTEGER AT 0, C4 CHAR(6) AT 4);\n",
               {"Shuffled", "/of"},
               {Header("Shuffled") + kOffsetHeader +
                    "     0     Integer       4    0     C0\n"
                    "     4     Character     6 Sensitiv C4\n"
                    "    10     Integer       4    0     C10\n" +
                    kTrailer,
                ""});
}

// Columns stored with the pseudo-record type codes (255 index name, 227
// constraint) are no columns, so the table has nothing to list.
TEST(Collection, OnlyIndexNamesAndConstraintsCollectNoField) {
  ExpectReport(
      "CREATE TABLE Names (Pseudo TYPE 255 (4), Rule TYPE 227 (2));\n"
      "CREATE INDEX OnPseudo ON Names (Pseudo);\n"
      "CREATE CONSTRAINT Positive ON Names;\n",
      {"Names", "/bfi"}, {kTrailer, ""});
}

TEST(Collection, TableWithoutFieldsPrintsTheTrailerOnly) {
  ExpectReport("CREATE TABLE Bare ();\n", {"Bare", "/bfi"}, {kTrailer, ""});
}

TEST(Collection, TableWithoutFieldsInTheAllTablesRun) {
  ExpectReport("CREATE TABLE Bare ();\nCREATE TABLE Empty NO FILE ();\n", {"*", "/a"},
               {kTrailer + kTrailer, "Printing Report for ALL Tables.\n"});
}

// Columns C0001..Cnnnn declared from the highest offset down; the listing
// under O shows the first 1,600 by offset.
struct WideCase : NamedCase {
  int columns;
  std::string expectedErr;
};

class FieldLimitTest : public ::testing::TestWithParam<WideCase> {};

TEST_P(FieldLimitTest, ListsAtMost1600FieldsByOffset) {
  const int columns = GetParam().columns;
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
  ExpectReport(ddl, {"Wide", "/fo"}, {expected + kTrailer, GetParam().expectedErr});
}

INSTANTIATE_TEST_SUITE_P(Limits, FieldLimitTest,
                         ::testing::Values(WideCase{"Below", 1599, ""},
                                           WideCase{"Exactly1600", 1600, kWarning},
                                           WideCase{"Over", 1700, kWarning}),
                         [](const ::testing::TestParamInfo<WideCase>& info) {
                           return std::string(info.param.name);
                         });

// `total` segments in indexes of at most 100 segments (so that no segment
// number reaches the string marker), declared from the last index number
// down; each index starts on Name and goes on with Id. The listing follows
// the index numbers and stops after 425 segments.
struct SegmentCase : NamedCase {
  int total;
  std::string expectedErr;
};

class SegmentLimitTest : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentLimitTest, ListsAtMost425SegmentsByIndex) {
  const SegmentCase& c = GetParam();
  const int indexes = (c.total + 99) / 100;
  std::string ddl = "CREATE TABLE Segs NO FILE (Id INTEGER, Name CHAR(4));\n";
  for (int index = indexes - 1; index >= 0; --index) {
    ddl += "CREATE INDEX Idx" + std::to_string(index) + " ON Segs (Name";
    for (int segment = 1; segment < std::min(100, c.total - index * 100); ++segment) ddl += ", Id";
    ddl += ") NUMBER " + std::to_string(index) + ";\n";
  }

  // Without B only index 0 finds a key entry (all zero): 0 values.
  std::string expected = Header("Segs") + kIndexHeader;
  char text[80];
  for (int listed = 0; listed < c.total && listed < 425; ++listed) {
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
  ExpectReport(ddl, {"Segs", "/i"}, {expected + kTrailer, c.expectedErr});
}

INSTANTIATE_TEST_SUITE_P(Limits, SegmentLimitTest,
                         ::testing::Values(SegmentCase{"Below", 424, ""},
                                           SegmentCase{"Exactly425", 425, kWarning},
                                           SegmentCase{"Over", 430, kWarning}),
                         [](const ::testing::TestParamInfo<SegmentCase>& info) {
                           return std::string(info.param.name);
                         });

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
  EXPECT_EQ(MaskDate(result.out), Header("T") + kPositionHeader +
                                      "     1     Integer       4    0     A\n"
                                      "     5     Character     4 Sensitiv B\n" +
                                      kIndexHeader +
                                      "  0    Yes  No              0 ByAB\n"
                                      "     1   n/a   Asc   No         A\n"
                                      "     2   n/a   Asc   No         FieldReadError 4\n" +
                                      kTrailer);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace testsupport
