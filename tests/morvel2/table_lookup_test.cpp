// Finding one table by name: the retry with carets for spaces, names that
// are not there, names at and past 128 characters, system tables named
// directly, and a name typed with trailing spaces.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "named_case.h"
#include "report_runner.h"
#include "temp_dir.h"

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

const std::string& Folder() { return SharedDictionary(kTables); }

std::string Title(const std::string& table) {
  return "Description of Table \"" + table + "\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n";
}

struct LookupCase : NamedCase {
  std::vector<std::string> args;
  std::string expectedOut;
  std::string expectedErr;
};

class TableLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(TableLookupTest, PrintsExactly) {
  const LookupCase& c = GetParam();
  const ProcessResult result = RunMorvel2(Folder(), c.args);
  EXPECT_EQ(MaskDate(result.out), c.expectedOut);
  EXPECT_EQ(result.err, c.expectedErr);
  EXPECT_EQ(result.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, TableLookupTest,
    ::testing::Values(
        LookupCase{"CaretsFoundOnTheSecondAttempt",
                   {"Order Items", "/nd"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <Order Items>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                       "Second GetFileRecord Returned 0 with <Order^Items>\n"
                       "Order Items\n" +
                       kLogoutTrace,
                   ""},
        // The collection's own read by the spaced name fails, and the
        // record the lookup found still gives the table id.
        LookupCase{"CaretsTableReportedWithSpaces",
                   {"Order Items", "/f"},
                   Title("Order Items") +
                       "Data File located in Order^Items.DAT \n\n"
                       "Position N Data Type  Size Dec/Case Field Name\n"
                       "-------- - --------- ----- -------- ----------------------------------------\n"
                       "     1     Integer       4    0     Item\n"
                       "     5     Character    10 Sensitiv Note\n" +
                       kTrailer,
                   ""},
        LookupCase{"NameWithoutSpacesLookedUpTwice",
                   {"Bolts", "/d"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <Bolts>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "Second GetFileRecord Returned 4 with <Bolts>\n" +
                       kLogoutTrace,
                   "Error (Bolts): Return Code was 1.\n" + kNotInDatabase},
        LookupCase{"NotFoundIsCodeOne",
                   {"Bolts", "/bfi"},
                   "",
                   "Error (Bolts): Return Code was 1.\n" + kNotInDatabase},
        LookupCase{"SpacedNameNotFound",
                   {"Nuts and Bolts"},
                   "",
                   "Error (Nuts and Bolts): Return Code was 1.\n" + kNotInDatabase},
        LookupCase{"EmptyNameHasAnEmptyLabel", {""}, "", "Error (): Return Code was 1.\n" + kNotInDatabase},
        LookupCase{"EmptyNameTraced",
                   {"", "/d"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "Second GetFileRecord Returned 4 with <>\n" +
                       kLogoutTrace,
                   "Error (): Return Code was 1.\n" + kNotInDatabase},
        LookupCase{"NameOf128CharactersFoundAtOnce",
                   {kName128, "/nd"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                       "First GetFileRecord Returned 0 with <" +
                       kName128 + ">\n" + kName128 + "\n" + kLogoutTrace,
                   ""},
        LookupCase{"LongerArgumentCutTo128", {kName128 + "MORE", "/n"}, kName128 + "\n", ""},
        LookupCase{"LongerMissingNameCutTo128InTheLabel",
                   {kOther128 + "MORE"},
                   "",
                   "Error (" + kOther128 + "): Return Code was 1.\n" + kNotInDatabase},
        LookupCase{"NameKeyIgnoresCase", {"CUSTOMERS", "/n"}, "CUSTOMERS\n", ""},
        LookupCase{"TrailingSpacesTypedArePrinted", {"Customers   ", "/n"}, "Customers   \n", ""},
        LookupCase{"TrailingSpacesTypedInTheTitleAreTrimmed",
                   {"Customers   "},
                   Title("Customers") + "Data File located in Customers.DAT \n\n\nEnd of Listing.\n\f",
                   ""},
        LookupCase{"SystemTableNamedDirectly",
                   {"X$File"},
                   Title("X$File") + "Dictionary File located in PVFILE.DDF \n\n\nEnd of Listing.\n\f",
                   ""},
        LookupCase{"SystemTableNamedDirectlyNamesOnly", {"X$File", "/n"}, "X$File\n", ""}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace testsupport
