// Data-file statistics under B: the three information lines, a data file
// that is not there, a record count of 0, and the location line: cut to 64
// characters, trimmed, "Dictionary" and "(Nullable)" from the table flags.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "named_case.h"
#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

// Rows lives 85 characters deep in subfolders: the report shows 64 of
// them, yet its statistics come from the whole path. Spaced's location
// has spaces at characters 61 to 64, where the cut falls.
constexpr const char* kTables = R"(
CREATE TABLE Empty (A INTEGER);
CREATE TABLE Flags PAGESIZE 512 VERSION 0x9a VARIABLE RECORD COMPRESSION PAGE COMPRESSION (
  A INTEGER, B CHAR(3));
CREATE TABLE Gone IN 'nowhere/gone.dat' NO FILE (A INTEGER);
CREATE TABLE Marked DICTIONARY NULLABLE (A INTEGER NULL);
CREATE TABLE Rows IN 'level-one-folder/level-two-folder/level-three-folder/a-data-file-with-a-long-name.DAT' (
  A INTEGER, B CHAR(2));
CREATE INDEX ON Rows (A);
CREATE INDEX ByB ON Rows (B CASE INSENSITIVE);
INSERT INTO Rows VALUES (1, 'a'), (2, 'A'), (2, 'b');
CREATE TABLE Spaced IN 'sub folder/abcdefghijabcdefghijabcdefghijabcdefghijabcdefghi    tail.DAT' (A INTEGER);
)";

const std::string& Folder() { return SharedDictionary(kTables); }

std::string FoundFirst(const std::string& table) {
  return "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\nFirst GetFileRecord Returned 0 with <" + table + ">\n";
}

struct StatisticsCase : NamedCase {
  std::vector<std::string> args;
  std::string expectedOut;
  std::string expectedErr = "";
};

class DataFileStatisticsTest : public ::testing::TestWithParam<StatisticsCase> {};

TEST_P(DataFileStatisticsTest, PrintsExactly) {
  const StatisticsCase& c = GetParam();
  const ProcessResult result = RunMorvel2(Folder(), c.args);
  EXPECT_EQ(MaskDate(result.out), c.expectedOut);
  // Status 12 for a missing data file, and 3 for closing it, are silent.
  EXPECT_EQ(result.err, c.expectedErr);
  EXPECT_EQ(result.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Statistics, DataFileStatisticsTest,
    ::testing::Values(
        StatisticsCase{"EveryKindOfTable",
                       {"*", "/b"},
                       ReadGolden("t1_statistics_all_tables.out"),
                       "Printing Report for ALL Tables.\n"},
        StatisticsCase{"OpenedReadAndClosedUnderB",
                       {"Empty", "/nbd"},
                       kLoginTrace + FoundFirst("Empty") +
                           "Op: 0, Buflen: 0, KeyNum: 0 Status: 0\n"
                           "Op: 15, Buflen: 33236, KeyNum: -1 Status: 0\n"
                           "Op: 1, Buflen: 0, KeyNum: 0 Status: 0\n"
                           "Empty\n" +
                           kLogoutTrace},
        StatisticsCase{"NotOpenedWithoutB",
                       {"Empty", "/nd"},
                       kLoginTrace + FoundFirst("Empty") + "Empty\n" + kLogoutTrace},
        StatisticsCase{"MissingFileIsNotQueried",
                       {"Gone", "/nbd"},
                       kLoginTrace + FoundFirst("Gone") +
                           "Op: 0, Buflen: 0, KeyNum: 0 Status: 12\n"
                           "Op: 1, Buflen: 0, KeyNum: 0 Status: 3\n"
                           "Gone\n" +
                           kLogoutTrace},
        StatisticsCase{"MissingFileWithFields",
                       {"Gone", "/bf"},
                       "Description of Table \"Gone\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                       "Data File located in nowhere/gone.dat \n"
                       "\n    Data File Is Not Available.\n\n"
                       "Position N Data Type  Size Dec/Case Field Name\n"
                       "-------- - --------- ----- -------- ----------------------------------------\n"
                       "     1     Integer       4    0     A\n" +
                           kTrailer},
        StatisticsCase{
            "LongLocationWithoutB",
            {"Rows"},
            "Description of Table \"Rows\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
            "Data File located in level-one-folder/level-two-folder/level-three-folder/a-data-file \n"
            "\n\nEnd of Listing.\n\f"}),
    [](const ::testing::TestParamInfo<StatisticsCase>& info) { return std::string(info.param.name); });

// The data file is opened without an owner name, whatever the master
// password: a file whose owner name guards every open is refused, and the
// error line names its location whole, all 250 characters of it; one whose
// owner name guards only changes is read.
TEST(DataFileOwner, OpenedWithoutTheMasterPassword) {
  const std::string location = std::string(120, 'a') + "/" + std::string(119, 'b') + "/Guarded.D";
  ASSERT_EQ(location.size(), 250u);
  TempDir folder;
  ASSERT_EQ(BuildDictionary(folder.str(),
                            "SET MASTER PASSWORD 'Secret';\n"
                            "CREATE TABLE Guarded IN '" +
                                location +
                                "' OWNER 'Secret' GUARDS ALL (A INTEGER);\n"
                                "CREATE TABLE Open (A INTEGER);\n"
                                "CREATE TABLE Readable OWNER 'Secret' GUARDS CHANGES (A INTEGER);\n"
                                "INSERT INTO Open VALUES (7);\n")
                .exitCode,
            0);
  const ProcessResult result = RunMorvel2(folder.str(), {"*", "/P=Secret", "/b"});
  EXPECT_EQ(MaskDate(result.out),
            "Description of Table \"Guarded\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
            "Data File located in " +
                location.substr(0, 64) +
                " \n"
                "\n    Data File Is Not Available.\n"
                "\n\nEnd of Listing.\n\f"
                "Description of Table \"Open\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                "Data File located in Open.DAT \n"
                "\n"
                "   Page Size   :  4096   Variable:  No   Record Count : 1\n"
                "   File Version:     0   RecComp :  No   Record Length: 4\n"
                "   Unused Pages:     0   PageComp:  No   Index Count  : 0\n"
                "\n\nEnd of Listing.\n\f"
                "Description of Table \"Readable\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                "Data File located in Readable.DAT \n"
                "\n"
                "   Page Size   :  4096   Variable:  No   Record Count : 0\n"
                "   File Version:     0   RecComp :  No   Record Length: 4\n"
                "   Unused Pages:     0   PageComp:  No   Index Count  : 0\n"
                "\n\nEnd of Listing.\n\f");
  EXPECT_EQ(result.err,
            "Printing Report for ALL Tables.\n"
            "Record Manager Error 51: Operation=0, File=" +
                location + "\n");
  EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
}  // namespace testsupport
