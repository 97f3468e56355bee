// The index listing as a user sees it: one line per index with its
// duplicates and modifiable flags, unique value count and name, one line per
// segment with its case, order, null key flag and field name, printed by the
// real morvel2 over dictionaries that mkdict builds.
#include <string>
#include <vector>

#include "report_runner.h"

namespace testsupport {
namespace {

// Both segments' fields are ZStrings; the case column follows the segment's
// flags, never the field's own.
const std::string kPeopleTable =
    "CREATE TABLE People NO FILE (\n"
    "  Name ZSTRING(20),\n"
    "  Nick ZSTRING(20) CASE INSENSITIVE,\n"
    "  Age  INTEGER\n"
    ");\n"
    "CREATE INDEX ByName ON People (Name CASE INSENSITIVE, Age);\n"
    "CREATE INDEX ByNick ON People (Nick CASE SENSITIVE, Age CASE INSENSITIVE);\n";

// Every string type and some that are not, under each case setting.
const std::string kKeysTable =
    "CREATE TABLE Keys NO FILE (\n"
    "  C CHAR(4), L LSTRING(4), Z ZSTRING(4), W WSTRING(4), V WZSTRING(4),\n"
    "  N INTEGER, K CONSTSTRING(4), B BLOB(4), T NOTE(4)\n"
    ");\n"
    "CREATE INDEX Plain ON Keys (C, L, Z, W, V, N, K, B, T);\n"
    "CREATE INDEX Insensitive ON Keys (C CASE INSENSITIVE, L CASE INSENSITIVE,\n"
    "  Z CASE INSENSITIVE, W CASE INSENSITIVE, V CASE INSENSITIVE, N CASE INSENSITIVE,\n"
    "  K CASE INSENSITIVE, B CASE INSENSITIVE, T CASE INSENSITIVE);\n"
    "CREATE INDEX Alternate ON Keys (C ACS, L ACS CASE INSENSITIVE, N ACS CASE INSENSITIVE, B ACS);\n";

// The index line shows the first segment's flags; later segments' flags
// play no part in it.
const std::string kEventsTable =
    "CREATE TABLE Events NO FILE (Id INTEGER, Kind CHAR(8), At TIMESTAMP);\n"
    "CREATE UNIQUE INDEX EventKey ON Events (Id);\n"
    "CREATE INDEX ByKind ON Events (Kind DESC NULL KEY, At) MODIFIABLE;\n"
    "CREATE UNIQUE INDEX Latest ON Events (At DESC, Id NULL KEY);\n"
    "CREATE INDEX Mixed ON Events (Id, Kind FLAGS 2);\n";

// Indexes 0, 1 and 3 are keys of the data file; 128 and 256 live in the
// dictionary only (256 shares its low byte with key 0). Index 3 has no name.
const std::string kVisitsTable =
    "CREATE TABLE Visits IN 'VISITS.DAT' (Id INTEGER, City CHAR(10) CASE INSENSITIVE, Day DATE);\n"
    "CREATE UNIQUE INDEX VisitKey ON Visits (Id);\n"
    "CREATE INDEX ByCity ON Visits (City CASE INSENSITIVE, Day DESC);\n"
    "CREATE INDEX ON Visits (Day) NUMBER 3;\n"
    "CREATE INDEX Archived ON Visits (City CASE SENSITIVE) NUMBER 128;\n"
    "CREATE INDEX Wrapped ON Visits (Id) NUMBER 256;\n"
    "INSERT INTO Visits VALUES\n"
    "  (1, 'Oslo', X'01010101'), (2, 'oslo', X'01010101'), (3, 'Bergen', X'02020202'),\n"
    "  (4, 'Bergen', X'03030303'), (5, 'Tromso', X'02020202');\n";

const std::string kLongName(128, 'n');

// Carets in stored names print as spaces; names of 128 characters print
// whole.
const std::string kLinesTable = "CREATE TABLE Lines NO FILE (Unit^Price MONEY(6,2), \"" + kLongName +
                                "\" INTEGER);\n"
                                "CREATE UNIQUE INDEX Line^Key ON Lines (Unit^Price DESC, \"" +
                                kLongName +
                                "\");\n"
                                "CREATE INDEX \"" +
                                kLongName + "\" ON Lines (\"" + kLongName + "\");\n";

INSTANTIATE_TEST_SUITE_P(
    Indexes, ReportTest,
    ::testing::Values(
        ReportCase{"StringAndIntegerSegments", kPeopleTable, {"People", "/i"}, "golden:t2_index_people.out"},
        ReportCase{"CaseColumnOfEveryType", kKeysTable, {"Keys", "/i"}, "golden:t2_index_keys.out"},
        ReportCase{"DuplicatesModifiableOrderAndNulls",
                   kEventsTable,
                   {"Events", "/fi"},
                   "golden:t2_index_events.out"},
        ReportCase{
            "UniqueCountsFromTheDataFile", kVisitsTable, {"Visits", "/bi"}, "golden:t2_index_visits_b.out"},
        ReportCase{"WithoutFileInformationOnlyIndexZeroIsCounted",
                   kVisitsTable,
                   {"Visits", "/i"},
                   "golden:t2_index_visits.out"},
        ReportCase{"CaretsAndLongNames", kLinesTable, {"Lines", "/u"}, "golden:t2_index_lines.out"},
        ReportCase{"FieldsButNoIndexRecords",
                   "CREATE TABLE Plain NO FILE (Id INTEGER);\n",
                   {"Plain", "/fi"},
                   "Description of Table \"Plain\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
                   "Data File located in Plain.DAT \n\n"
                   "Position N Data Type  Size Dec/Case Field Name\n"
                   "-------- - --------- ----- -------- ----------------------------------------\n"
                   "     1     Integer       4    0     Id\n"
                   "\nNo Indexes.\n" +
                       kTrailer},
        // Constraint and index-name records are not fields; with no field
        // stepped through there is no header and no index listing, even
        // though an index has a segment.
        ReportCase{"NoFieldsNoListing",
                   "CREATE TABLE Pseudo NO FILE (Rule TYPE 227(4), Label TYPE 255(4));\n"
                   "CREATE INDEX ByRule ON Pseudo (Rule);\n",
                   {"Pseudo", "/fi"},
                   kTrailer},
        ReportCase{
            "EmptyTableEvenWithEverythingOn", "CREATE TABLE Empty ();\n", {"Empty", "/bfi"}, kTrailer}),
    CaseName());

// The names start under their headings: the index name at the 31st
// character after a known count and one further right after "(Unknown)",
// the field name at the 33rd.
TEST(IndexListingColumns, NamesStartUnderTheirHeadings) {
  const std::vector<std::string> lines =
      SplitLines(RunMorvel2(SharedDictionary(kVisitsTable), {"Visits", "/bi"}).out);
  auto line = [&lines](const std::string& start) {
    for (const std::string& l : lines)
      if (l.rfind(start, 0) == 0) return l;
    return std::string();
  };
  const size_t indexName = line("Index  Dup").find("Index Name");
  const size_t fieldName = line("    Seg").find("Field Name");
  EXPECT_EQ(indexName, 30u);
  EXPECT_EQ(fieldName, 32u);
  EXPECT_EQ(line("  0    ").find("VisitKey"), indexName);
  EXPECT_EQ(line("128    ").find("Archived"), indexName + 1);
  EXPECT_EQ(line("     2   ").find("Day"), fieldName);
}

}  // namespace
}  // namespace testsupport
