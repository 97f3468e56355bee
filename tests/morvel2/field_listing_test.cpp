// The field listing as a user sees it: each column's position or offset,
// nullable marker, type name, size and case or decimal column, printed by
// the real morvel2 over dictionaries that mkdict builds.
#include <string>
#include <vector>

#include "report_runner.h"

namespace testsupport {
namespace {

std::string Title(const std::string& table) {
  return "Description of Table \"" + table + "\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n";
}

const std::string kPositionHeader =
    "Position N Data Type  Size Dec/Case Field Name\n"
    "-------- - --------- ----- -------- ----------------------------------------\n";
const std::string kOffsetHeader =
    " Offset  N Data Type  Size Dec/Case Field Name\n"
    "-------- - --------- ----- -------- ----------------------------------------\n";

// Declared out of offset order: the listing follows the offsets.
const std::string kCodesTable =
    "CREATE TABLE Codes NO FILE (\n"
    "  Remark CHAR(20) AT 10,\n"
    "  Code   CHAR(4) CASE INSENSITIVE AT 0,\n"
    "  Amount DECIMAL(6,2) AT 4\n"
    ");\n";

// Every code of the type-name table through TYPE n columns, and codes past
// it. Codes 227 and 255 are the constraint and index-name pseudo-records:
// stored as columns they are skipped, so their offsets leave a gap.
std::string EveryTypeCode() {
  std::string ddl = "CREATE TABLE Types NO FILE (\n";
  std::vector<int> codes;
  for (int code = 0; code <= 37; ++code) codes.push_back(code);
  for (int code : {227, 255, 38, 200, 226, 228, 254}) codes.push_back(code);
  for (size_t i = 0; i < codes.size(); ++i)
    ddl += std::string(i ? ",\n" : "") + "  Code" + std::to_string(codes[i]) + " TYPE " +
           std::to_string(codes[i]) + "(2)";
  return ddl + "\n);\n";
}

const std::string kMarkedColumns =
    "  Id      INTEGER NOT NULL,\n"
    "  Comment CHAR(8) NULL,\n"
    "  Score   INTEGER FLAGS 4\n"
    ");\n";

INSTANTIATE_TEST_SUITE_P(
    Fields, ReportTest,
    ::testing::Values(
        ReportCase{"PositionsCountFromOneInOffsetOrder",
                   kCodesTable,
                   {"Codes", "/f"},
                   Title("Codes") + "Data File located in Codes.DAT \n\n" + kPositionHeader +
                       "     1     Character     4 Insenstv Code\n"
                       "     5     Decimal       6    2     Amount\n"
                       "    11     Character    20 Sensitiv Remark\n" +
                       kTrailer},
        ReportCase{"OffsetsCountFromZero",
                   kCodesTable,
                   {"Codes", "/of"},
                   Title("Codes") + "Data File located in Codes.DAT \n\n" + kOffsetHeader +
                       "     0     Character     4 Insenstv Code\n"
                       "     4     Decimal       6    2     Amount\n"
                       "    10     Character    20 Sensitiv Remark\n" +
                       kTrailer},
        ReportCase{"NullableTableMarksItsNullableColumns",
                   "CREATE TABLE Notes NO FILE NULLABLE (\n" + kMarkedColumns,
                   {"Notes", "/f"},
                   Title("Notes") + "Data File located in Notes.DAT (Nullable)\n\n" + kPositionHeader +
                       "     1     Integer       4    0     Id\n"
                       "     6   * Character     8 Sensitiv Comment\n"
                       "    15   * Integer       4    0     Score\n" +
                       kTrailer},
        ReportCase{"PlainTableMarksNothing",
                   "CREATE TABLE Notes NO FILE (\n" + kMarkedColumns,
                   {"Notes", "/f"},
                   Title("Notes") + "Data File located in Notes.DAT \n\n" + kPositionHeader +
                       "     1     Integer       4    0     Id\n"
                       "     5     Character     8 Sensitiv Comment\n"
                       "    13     Integer       4    0     Score\n" +
                       kTrailer},
        ReportCase{"DecimalPlacesRightAlignedInFour",
                   "CREATE TABLE Prices NO FILE (\n"
                   "  Net     DECIMAL(8,2),\n"
                   "  Rounded MONEY(6),\n"
                   "  Exact   NUMERIC(10,65535),\n"
                   "  Rate    FLOAT(8,12)\n"
                   ");\n",
                   {"Prices", "/F"},
                   Title("Prices") + "Data File located in Prices.DAT \n\n" + kPositionHeader +
                       "     1     Decimal       8    2     Net\n"
                       "     9     Money         6    0     Rounded\n"
                       "    15     Numeric      10 65535     Exact\n"
                       "    25     Float Pt.     8   12     Rate\n" +
                       kTrailer},
        ReportCase{"BlobShowsBinaryOrCharAndNoteItsPlaces",
                   "CREATE TABLE Media NO FILE (\n"
                   "  Picture BLOB(10) BINARY,\n"
                   "  Letter  BLOB(10),\n"
                   "  Scan    BLOB(10) FLAGS 0x1000,\n"
                   "  Memo    BLOB(10) CASE INSENSITIVE,\n"
                   "  Remark  NOTE(10,3) BINARY\n"
                   ");\n",
                   {"Media", "/f"},
                   Title("Media") + "Data File located in Media.DAT \n\n" + kPositionHeader +
                       "     1     BLOB         10  BINARY  Picture\n"
                       "    11     BLOB         10   CHAR   Letter\n"
                       "    21     BLOB         10  BINARY  Scan\n"
                       "    31     BLOB         10   CHAR   Memo\n"
                       "    41     Note         10    3     Remark\n" +
                       kTrailer},
        ReportCase{"StringTypesShowTheirCase",
                   "CREATE TABLE Words NO FILE (\n"
                   "  C0 CHAR(2), C1 CHAR(2) CASE INSENSITIVE,\n"
                   "  L0 LSTRING(2), L1 LSTRING(2) CASE INSENSITIVE,\n"
                   "  Z0 ZSTRING(2), Z1 ZSTRING(2) CASE INSENSITIVE,\n"
                   "  W0 WSTRING(2), W1 WSTRING(2) CASE INSENSITIVE,\n"
                   "  V0 WZSTRING(2), V1 WZSTRING(2) CASE INSENSITIVE,\n"
                   "  K1 CONSTSTRING(2,1) CASE INSENSITIVE,\n"
                   "  N1 INTEGER(2) CASE INSENSITIVE\n"
                   ");\n",
                   {"Words", "/f"},
                   Title("Words") + "Data File located in Words.DAT \n\n" + kPositionHeader +
                       "     1     Character     2 Sensitiv C0\n"
                       "     3     Character     2 Insenstv C1\n"
                       "     5     LString       2 Sensitiv L0\n"
                       "     7     LString       2 Insenstv L1\n"
                       "     9     ZString       2 Sensitiv Z0\n"
                       "    11     ZString       2 Insenstv Z1\n"
                       "    13     WString       2 Sensitiv W0\n"
                       "    15     WString       2 Insenstv W1\n"
                       "    17     WZString      2 Sensitiv V0\n"
                       "    19     WZString      2 Insenstv V1\n"
                       "    21     ConstStrg     2    1     K1\n"
                       "    23     Integer       2    0     N1\n" +
                       kTrailer},
        ReportCase{"CaretsInNamesPrintAsSpaces",
                   "CREATE TABLE Order^Lines IN 'LINES.DAT' NO FILE (Unit^Price MONEY(6,2), \"Unit Cost\" "
                   "MONEY(6,2));\n",
                   {"Order Lines", "/f"},
                   Title("Order Lines") + "Data File located in LINES.DAT \n\n" + kPositionHeader +
                       "     1     Money         6    2     Unit Price\n"
                       "     7     Money         6    2     Unit Cost\n" +
                       kTrailer},
        // Wider than the column, the numbers push the line right rather than
        // being cut; the position of an offset at the 32-bit limit does not
        // wrap to a negative number.
        ReportCase{"LargestOffsetAndSizePrintWhole",
                   "CREATE TABLE Huge NO FILE (Text CHAR(2147483647), Last INTEGER AT 2147483647);\n",
                   {"Huge", "/f"},
                   Title("Huge") + "Data File located in Huge.DAT \n\n" + kPositionHeader +
                       "     1     Character2147483647 Sensitiv Text\n"
                       "2147483648     Integer       4    0     Last\n" +
                       kTrailer},
        ReportCase{"LargestOffsetAsOffset",
                   "CREATE TABLE Huge NO FILE (Text CHAR(2147483647), Last INTEGER AT 2147483647);\n",
                   {"Huge", "/fo"},
                   Title("Huge") + "Data File located in Huge.DAT \n\n" + kOffsetHeader +
                       "     0     Character2147483647 Sensitiv Text\n"
                       "2147483647     Integer       4    0     Last\n" +
                       kTrailer},
        // Without F the first field still prints the header, but neither
        // the column header nor any field line.
        ReportCase{"FieldsOffPrintsTheHeaderOnly",
                   kCodesTable,
                   {"Codes"},
                   Title("Codes") + "Data File located in Codes.DAT \n\n" + kTrailer},
        ReportCase{"OffsetsAloneListNoFields",
                   kCodesTable,
                   {"Codes", "/o"},
                   Title("Codes") + "Data File located in Codes.DAT \n\n" + kTrailer},
        ReportCase{"FileInformationWithoutFields",
                   kCodesTable,
                   {"Codes", "/b"},
                   Title("Codes") +
                       "Data File located in Codes.DAT \n\n"
                       "    Data File Is Not Available.\n\n" +
                       kTrailer},
        ReportCase{
            "EveryTypeCodePrintsItsName", EveryTypeCode(), {"Types", "/f"}, "golden:t2_type_names.out"}),
    CaseName());

}  // namespace
}  // namespace testsupport
