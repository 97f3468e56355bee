// Opening and closing the three dictionary files: a missing dictionary, the
// default owner name, a master password right or wrong, and what the trace
// shows of login and logout.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

constexpr const char* kTable = "CREATE TABLE Parts NO FILE (Code CHAR(8));\n";

// Slots that never opened answer 3, which the call policy keeps silent.
const std::string kClosedUnopened =
    "Closing Data Dictionaries\n"
    "Op: 1, Buflen: 402, KeyNum: 1 Status: 3\n"
    "Op: 1, Buflen: 0, KeyNum: 0 Status: 3\n"
    "Op: 1, Buflen: 0, KeyNum: 0 Status: 3\n"
    "Data Dictionaries Closed\n";
const std::string kMissingHint =
    "<File Not Found> when accessing the dictionary.\n"
    "Are you in the folder with your DDFs?\n"
    "Error (Login): Return Code was 12.\n";
const std::string kRefusedHint =
    "Record Manager Error 51: Operation=0, File=PVFILE.DDF\n"
    "Error (Login): Return Code was 51.\n";
const std::string kPlainParts =
    "Description of Table \"Parts\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
    "Data File located in Parts.DAT \n\n" +
    kTrailer;

TEST(Login, MissingIndexDictionaryAfterTwoOpens) {
  TempDir folder;
  ASSERT_EQ(BuildDictionary(folder.str(), kTable).exitCode, 0);
  std::filesystem::remove(folder / "PVINDEX.DDF");
  ExpectPrinted(RunMorvel2(folder.str(), {"Parts", "/n", "-d"}),
                "Opening Data Dictionaries\n"
                "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
                "Op: 0, Buflen: 151, KeyNum: 0 Status: 0\n"
                "Op: 0, Buflen: 20, KeyNum: 0 Status: 12\n"
                "Data Dictionaries Opened: 12\n"
                "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                "First GetFileRecord Returned 0 with <Parts>\n"
                "Parts\n"
                "Closing Data Dictionaries\n"
                "Op: 1, Buflen: 402, KeyNum: 1 Status: 0\n"
                "Op: 1, Buflen: 151, KeyNum: 0 Status: 0\n"
                "Op: 1, Buflen: 20, KeyNum: 0 Status: 3\n"
                "Data Dictionaries Closed\n",
                kMissingHint);
}

INSTANTIATE_TEST_SUITE_P(
    Login, ReportTest,
    ::testing::Values(
        ReportCase{"EmptyFolderTriesOnlyTheFileDictionary",
                   std::nullopt,
                   {"Parts", "/d"},
                   "Opening Data Dictionaries\n"
                   "Op: 0, Buflen: 402, KeyNum: 0 Status: 12\n"
                   "Data Dictionaries Opened: 12\n"
                   "Op: 5, Buflen: 402, KeyNum: 1 Status: 3\n"
                   "First GetFileRecord Returned 3 with <Parts>\n" +
                       kClosedUnopened,
                   kMissingHint + kNotInDatabase},
        ReportCase{
            "EmptyFolderWithoutTrace", std::nullopt, {"Parts", "/bfi"}, "", kMissingHint + kNotInDatabase},
        ReportCase{
            "EmptyFolderForAllTables",
            std::nullopt,
            {"*", "/x"},
            "",
            kMissingHint + "Printing Report for ALL Tables.\nError (Load Tables): Return Code was 3.\n"},
        ReportCase{"DefaultOwnerName",
                   kTable,
                   {"Parts", "/nd"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                       "First GetFileRecord Returned 0 with <Parts>\n"
                       "Parts\n" +
                       kLogoutTrace},
        ReportCase{"LogoutAfterANotFoundLookup",
                   kTable,
                   {"Bolts", "/d"},
                   kLoginTrace +
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "First GetFileRecord Returned 4 with <Bolts>\n"
                       "Op: 5, Buflen: 402, KeyNum: 1 Status: 4\n"
                       "Second GetFileRecord Returned 4 with <Bolts>\n" +
                       kLogoutTrace,
                   "Error (Bolts): Return Code was 1.\n" + kNotInDatabase}),
    CaseName());

// A master password set either way opens the dictionary only when given.
struct PasswordCase : NamedCase {
  std::string ddl;
  std::vector<std::string> mkdictArgs;
};

class MasterPasswordTest : public ::testing::TestWithParam<PasswordCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(BuildDictionary(folder_.str(), GetParam().ddl, GetParam().mkdictArgs).exitCode, 0);
  }
  TempDir folder_;
};

TEST_P(MasterPasswordTest, RightPasswordOpens) {
  ExpectPrinted(RunMorvel2(folder_.str(), {"Parts", "/P=Open Sesame", "/nd"}),
                kLoginTrace +
                    "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                    "First GetFileRecord Returned 0 with <Parts>\n"
                    "Parts\n" +
                    kLogoutTrace,
                "");
}

TEST_P(MasterPasswordTest, RightPasswordReports) {
  ExpectPrinted(RunMorvel2(folder_.str(), {"Parts", "-P=Open Sesame"}), kPlainParts, "");
}

TEST_P(MasterPasswordTest, NoPasswordIsRefused) {
  ExpectPrinted(RunMorvel2(folder_.str(), {"Parts", "/d"}),
                "Opening Data Dictionaries\n"
                "Op: 0, Buflen: 402, KeyNum: 0 Status: 51\n"
                "Data Dictionaries Opened: 51\n"
                "Op: 5, Buflen: 402, KeyNum: 1 Status: 3\n"
                "First GetFileRecord Returned 3 with <Parts>\n" +
                    kClosedUnopened,
                kRefusedHint + kNotInDatabase);
}

TEST_P(MasterPasswordTest, WrongPasswordIsRefusedAndLaterCallsAreSilent) {
  ExpectPrinted(RunMorvel2(folder_.str(), {"*", "/P=open sesame", "/bfid"}),
                "Opening Data Dictionaries\n"
                "Op: 0, Buflen: 402, KeyNum: 0 Status: 51\n"
                "Data Dictionaries Opened: 51\n"
                "Op: 12, Buflen: 402, KeyNum: 1 Status: 3\n" +
                    kClosedUnopened,
                kRefusedHint + "Printing Report for ALL Tables.\nError (Load Tables): Return Code was 3.\n");
}

TEST_P(MasterPasswordTest, DefaultOwnerNameIsRefused) {
  ExpectPrinted(RunMorvel2(folder_.str(), {"Parts", "/P=..QV...."}), "", kRefusedHint + kNotInDatabase);
}

INSTANTIATE_TEST_SUITE_P(
    Passwords, MasterPasswordTest,
    ::testing::Values(
        PasswordCase{"SetInTheDescription", "SET MASTER PASSWORD 'Open Sesame';\n" + std::string(kTable), {}},
        PasswordCase{"GivenToMkdict", kTable, {"--password", "Open Sesame"}}),
    CaseName());

// The field dictionary of a locked dictionary beside an open file
// dictionary: the second open is refused and the third never tried.
TEST(Login, RefusedFieldDictionaryStopsTheOpens) {
  TempDir open, locked;
  ASSERT_EQ(BuildDictionary(open.str(), kTable).exitCode, 0);
  ASSERT_EQ(BuildDictionary(locked.str(), kTable, {"--password", "Open Sesame"}).exitCode, 0);
  std::filesystem::copy_file(locked / "PVFIELD.DDF", open / "PVFIELD.DDF",
                             std::filesystem::copy_options::overwrite_existing);
  ExpectPrinted(RunMorvel2(open.str(), {"Parts", "/nd"}),
                "Opening Data Dictionaries\n"
                "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
                "Op: 0, Buflen: 151, KeyNum: 0 Status: 51\n"
                "Data Dictionaries Opened: 51\n"
                "Op: 5, Buflen: 402, KeyNum: 1 Status: 0\n"
                "First GetFileRecord Returned 0 with <Parts>\n"
                "Parts\n"
                "Closing Data Dictionaries\n"
                "Op: 1, Buflen: 402, KeyNum: 1 Status: 0\n"
                "Op: 1, Buflen: 151, KeyNum: 0 Status: 3\n"
                "Op: 1, Buflen: 0, KeyNum: 0 Status: 3\n"
                "Data Dictionaries Closed\n",
                "Record Manager Error 51: Operation=0, File=PVFIELD.DDF\n"
                "Error (Login): Return Code was 51.\n");
}

}  // namespace
}  // namespace testsupport
