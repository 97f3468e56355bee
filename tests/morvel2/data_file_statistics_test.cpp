// Data-file statistics under B: the three information lines, a data file
// that is not there, a record count of 0, and the location line: cut to 64
// characters, trimmed, "Dictionary" and "(Nullable)" from the table flags.
#include <string>

#include "report_runner.h"

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

std::string FoundFirst(const std::string& table) {
  return "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\nFirst GetFileRecord Returned 0 with <" + table + ">\n";
}

// 250 characters, the longest location a table can have.
const std::string kGuarded = std::string(120, 'a') + "/" + std::string(119, 'b') + "/Guarded.D";

// Status 12 for a missing data file, and 3 for closing it, are silent.
INSTANTIATE_TEST_SUITE_P(
    Statistics, ReportTest,
    ::testing::Values(
        ReportCase{"EveryKindOfTable",
                   kTables,
                   {"*", "/b"},
                   "golden:t1_statistics_all_tables.out",
                   "Printing Report for ALL Tables.\n"},
        ReportCase{"OpenedReadAndClosedUnderB",
                   kTables,
                   {"Empty", "/nbd"},
                   kLoginTrace + FoundFirst("Empty") +
                       "Op: 0, Buflen: 0, KeyNum: 0 Status: 0\n"
                       "Op: 15, Buflen: 33236, KeyNum: -1 Status: 0\n"
                       "Op: 1, Buflen: 0, KeyNum: 0 Status: 0\n"
                       "Empty\n" +
                       kLogoutTrace},
        ReportCase{"NotOpenedWithoutB",
                   kTables,
                   {"Empty", "/nd"},
                   kLoginTrace + FoundFirst("Empty") + "Empty\n" + kLogoutTrace},
        ReportCase{"MissingFileIsNotQueried",
                   kTables,
                   {"Gone", "/nbd"},
                   kLoginTrace + FoundFirst("Gone") +
                       "Op: 0, Buflen: 0, KeyNum: 0 Status: 12\n"
                       "Op: 1, Buflen: 0, KeyNum: 0 Status: 3\n"
                       "Gone\n" +
                       kLogoutTrace},
        ReportCase{"MissingFileWithFields",
                   kTables,
                   {"Gone", "/bf"},
                   "Description of Table \"Gone\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                   "Data File located in nowhere/gone.dat \n"
                   "\n    Data File Is Not Available.\n\n"
                   "Position N Data Type  Size Dec/Case Field Name\n"
                   "-------- - --------- ----- -------- ----------------------------------------\n"
                   "     1     Integer       4    0     A\n" +
                       kTrailer},
        ReportCase{"LongLocationWithoutB",
                   kTables,
                   {"Rows"},
                   "Description of Table \"Rows\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                   "Data File located in level-one-folder/level-two-folder/level-three-folder/a-data-file \n"
                   "\n\nEnd of Listing.\n\f"},
        // The data file is opened without an owner name, whatever the master
        // password: a file whose owner name guards every open is refused, and
        // the error line names its location whole, all 250 characters of it;
        // one whose owner name guards only changes is read.
        ReportCase{"OpenedWithoutTheMasterPassword",
                   "SET MASTER PASSWORD 'Secret';\n"
                   "CREATE TABLE Guarded IN '" +
                       kGuarded +
                       "' OWNER 'Secret' GUARDS ALL (A INTEGER);\n"
                       "CREATE TABLE Open (A INTEGER);\n"
                       "CREATE TABLE Readable OWNER 'Secret' GUARDS CHANGES (A INTEGER);\n"
                       "INSERT INTO Open VALUES (7);\n",
                   {"*", "/P=Secret", "/b"},
                   "Description of Table \"Guarded\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                   "Data File located in " +
                       kGuarded.substr(0, 64) +
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
                       "\n\nEnd of Listing.\n\f",
                   "Printing Report for ALL Tables.\n"
                   "Record Manager Error 51: Operation=0, File=" +
                       kGuarded + "\n"}),
    CaseName());

}  // namespace
}  // namespace testsupport
