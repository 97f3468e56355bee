// How the report answers record-manager statuses that real files can't
// produce, served by a stand-in record manager found through
// LD_LIBRARY_PATH; and what happens when no record manager can be had.
#include <gtest/gtest.h>

#include <filesystem>

#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

struct StatusCase {
  const char* name;
  const char* rules;  // operation=status pairs for the stand-in
  std::vector<std::string> args;
  std::string expectedOut;
  std::string expectedErr;
  int expectedExitCode;
};

class RecordManagerStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(RecordManagerStatusTest, PrintsWhatThePolicySays) {
  const StatusCase& c = GetParam();
  TempDir folder;
  ProcessOptions options;
  options.setEnv["LD_LIBRARY_PATH"] = STUB_STATUSES_DIR;
  options.setEnv["STUB_RECMGR_STATUSES"] = c.rules;
  ProcessResult result = RunMorvel2(folder.str(), c.args, options);
  EXPECT_EQ(result.out, c.expectedOut);
  EXPECT_EQ(result.err, c.expectedErr);
  EXPECT_EQ(result.exitCode, c.expectedExitCode);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, RecordManagerStatusTest,
    ::testing::Values(
        StatusCase{"IoErrorOnGetEqualIsPrintedAndTheRunGoesOn",
                   "5=2",
                   {"Customers"},
                   "",
                   "Record Manager Error 2: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase,
                   0},
        StatusCase{"NegativeStatusIsNotSilent",
                   "5=-1",
                   {"Customers"},
                   "",
                   "Record Manager Error -1: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase,
                   0},
        StatusCase{"StatusAbove22IsNotSilent",
                   "5=30",
                   {"Customers"},
                   "",
                   "Record Manager Error 30: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase,
                   0},
        StatusCase{"DataBufferTooShortIsSilent", "5=22", {"Customers"}, "", kNotInDatabase, 0},
        StatusCase{"NotLoadedEndsTheRun", "0=20", {"Customers"}, "", "Please load the Record Manager\n", 1},
        StatusCase{"NotLoadedInTheMiddleEndsTheRun",
                   "5=20",
                   {"Customers", "/d"},
                   "Opening Data Dictionaries\n"
                   "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
                   "Op: 0, Buflen: 151, KeyNum: 0 Status: 0\n"
                   "Op: 0, Buflen: 20, KeyNum: 0 Status: 0\n"
                   "Data Dictionaries Opened: 0\n"
                   "Op: 5, Buflen: 402, KeyNum: 1 Status: 20\n",
                   "Please load the Record Manager\n",
                   1},
        StatusCase{"LoginFailureIsReportedAndTheRunGoesOn",
                   "0=46",
                   {"Customers"},
                   "",
                   "Record Manager Error 46: Operation=0, File=PVFILE.DDF\n"
                   "Error (Login): Return Code was 46.\n"
                   "Error (Customers): Return Code was 1.\n" +
                       kNotInDatabase,
                   0},
        StatusCase{"TableScanFailureIsReportedAsLoadTables",
                   "12=2",
                   {"*"},
                   "",
                   "Printing Report for ALL Tables.\n"
                   "Record Manager Error 2: Operation=12, File=PVFILE.DDF\n"
                   "Error (Load Tables): Return Code was 2.\n",
                   0},
        StatusCase{"CloseFailuresArePrintedButLogoutStaysQuiet",
                   "1=2,5=4",
                   {"Customers"},
                   "",
                   "Error (Customers): Return Code was 1.\n"
                   "Table Name not in database.\n"
                   "Record Manager Error 2: Operation=1, File=PVFILE.DDF\n"
                   "Record Manager Error 2: Operation=1, File=PVFIELD.DDF\n"
                   "Record Manager Error 2: Operation=1, File=PVINDEX.DDF\n",
                   0},
        StatusCase{"TraceShowsEveryCallOnOneLine",
                   "5=2",
                   {"Customers", "/D"},
                   "Opening Data Dictionaries\n"
                   "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
                   "Op: 0, Buflen: 151, KeyNum: 0 Status: 0\n"
                   "Op: 0, Buflen: 20, KeyNum: 0 Status: 0\n"
                   "Data Dictionaries Opened: 0\n"
                   "Op: 5, Buflen: 402, KeyNum: 1 Status: 2\n"
                   "First GetFileRecord Returned 2 with <Customers>\n"
                   "Closing Data Dictionaries\n"
                   "Op: 1, Buflen: 402, KeyNum: 1 Status: 0\n"
                   "Op: 1, Buflen: 151, KeyNum: 0 Status: 0\n"
                   "Op: 1, Buflen: 20, KeyNum: 0 Status: 0\n"
                   "Data Dictionaries Closed\n",
                   "Record Manager Error 2: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase,
                   0}),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

TEST(RecordManagerLoading, LibraryWithoutTheEntryIsNotLoaded) {
  TempDir folder;
  ProcessOptions options;
  options.setEnv["LD_LIBRARY_PATH"] = STUB_NO_ENTRY_DIR;
  ProcessResult result = RunMorvel2(folder.str(), {"Customers"}, options);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Please load the Record Manager\n");
  EXPECT_EQ(result.exitCode, 1);
}

TEST(RecordManagerLoading, NoLibraryAnywhereIsNotLoaded) {
  // A copy of the tool with no engine beside it or in ../lib.
  TempDir install;
  std::filesystem::create_directories(install.path() / "bin");
  const std::string tool = install / "bin/morvel2";
  std::filesystem::copy_file(MORVEL2_BIN, tool);
  ProcessOptions options;
  options.workingDirectory = install.str();
  options.unsetEnv = {"LD_LIBRARY_PATH"};
  ProcessResult result = RunProcess({tool, "Customers"}, options);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Please load the Record Manager\n");
  EXPECT_EQ(result.exitCode, 1);
}

}  // namespace
}  // namespace testsupport
