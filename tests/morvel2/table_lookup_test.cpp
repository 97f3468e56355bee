// Finding one table by name: the retry with carets for spaces, names that
// are not there, names at and past 128 characters, system tables named
// directly, and a name typed with trailing spaces.
#include <string>

#include "report_runner.h"

namespace testsupport {
namespace {

const std::string kName128(128, 'N');
const std::string kOther128 = std::string(127, 'N') + "M";

// Order^Items is how a table created as "Order Items" may be stored.
const std::string kTables =
    "CREATE TABLE Order^Items NO FILE (Item INTEGER, Note CHAR(10));\n"
    "CREATE TABLE Customers NO FILE (Id INTEGER);\n"
    "CREATE TABLE " +
    kName128 +
    " NO FILE (Wide INTEGER);\n"
    "CREATE TABLE X$File IN 'PVFILE.DDF' DICTIONARY NO FILE (Xf$Id INTEGER);\n";

std::string Title(const std::string& table) {
  return "Description of Table \"" + table + "\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n";
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, ReportTest,
    ::testing::Values(
        ReportCase{"CaretsFoundOnTheSecondAttempt",
                   kTables,
                   {"Order Items", "/nd"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <Order Items>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                       "Second GetFileRecord Returned 0 with <Order^Items>\n"
                       "Order Items\n" +
                       kLogoutTrace},
        // The collection's own read by the spaced name fails, and the
        // record the lookup found still gives the table id.
        ReportCase{"CaretsTableReportedWithSpaces",
                   kTables,
                   {"Order Items", "/f"},
                   Title("Order Items") +
                       "Data File located in Order^Items.DAT \n\n"
                       "Position N Data Type  Size Dec/Case Field Name\n"
                       "-------- - --------- ----- -------- ----------------------------------------\n"
                       "     1     Integer       4    0     Item\n"
                       "     5     Character    10 Sensitiv Note\n" +
                       kTrailer},
        ReportCase{"NameWithoutSpacesLookedUpTwice",
                   kTables,
                   {"Bolts", "/d"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <Bolts>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "Second GetFileRecord Returned 4 with <Bolts>\n" +
                       kLogoutTrace,
                   "Error (Bolts): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{"NotFoundIsCodeOne",
                   kTables,
                   {"Bolts", "/bfi"},
                   "",
                   "Error (Bolts): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{"SpacedNameNotFound",
                   kTables,
                   {"Nuts and Bolts"},
                   "",
                   "Error (Nuts and Bolts): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{
            "EmptyNameHasAnEmptyLabel", kTables, {""}, "", "Error (): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{"EmptyNameTraced",
                   kTables,
                   {"", "/d"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "Second GetFileRecord Returned 4 with <>\n" +
                       kLogoutTrace,
                   "Error (): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{"NameOf128CharactersFoundAtOnce",
                   kTables,
                   {kName128, "/nd"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                       "First GetFileRecord Returned 0 with <" +
                       kName128 + ">\n" + kName128 + "\n" + kLogoutTrace},
        ReportCase{"LongerArgumentCutTo128", kTables, {kName128 + "MORE", "/n"}, kName128 + "\n"},
        ReportCase{"LongerMissingNameCutTo128InTheLabel",
                   kTables,
                   {kOther128 + "MORE"},
                   "",
                   "Error (" + kOther128 + "): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{"NameKeyIgnoresCase", kTables, {"CUSTOMERS", "/n"}, "CUSTOMERS\n"},
        ReportCase{"TrailingSpacesTypedArePrinted", kTables, {"Customers   ", "/n"}, "Customers   \n"},
        ReportCase{"TrailingSpacesTypedInTheTitleAreTrimmed",
                   kTables,
                   {"Customers   "},
                   Title("Customers") + "Data File located in Customers.DAT \n\n\nEnd of Listing.\n\f"},
        ReportCase{"SystemTableNamedDirectly",
                   kTables,
                   {"X$File"},
                   Title("X$File") + "Dictionary File located in PVFILE.DDF \n\n\nEnd of Listing.\n\f"},
        ReportCase{"SystemTableNamedDirectlyNamesOnly", kTables, {"X$File", "/n"}, "X$File\n"}),
    CaseName());

}  // namespace
}  // namespace testsupport
