// How the report answers record-manager statuses that real files can't
// produce, served by a stand-in record manager found through
// LD_LIBRARY_PATH; and what happens when no record manager can be had.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

// A case run over the stand-in, which answers operation=status `rules`.
ReportCase Status(const char* name, const char* rules, const std::vector<std::string>& args,
                  const std::string& expectedOut, const std::string& expectedErr) {
  return {{name},
          std::nullopt,
          args,
          expectedOut,
          expectedErr,
          {},
          {{"LD_LIBRARY_PATH", STUB_STATUSES_DIR}, {"STUB_RECMGR_STATUSES", rules}}};
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ReportTest,
    ::testing::Values(Status("IoErrorOnGetEqualIsPrintedAndTheRunGoesOn", "5=2", {"Customers"}, "",
                             "Record Manager Error 2: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase),
                      Status("NegativeStatusIsNotSilent", "5=-1", {"Customers"}, "",
                             "Record Manager Error -1: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase),
                      Status("StatusAbove22IsNotSilent", "5=30", {"Customers"}, "",
                             "Record Manager Error 30: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase),
                      Status("DataBufferTooShortIsSilent", "5=22", {"Customers"}, "", kNotInDatabase),
                      Status("NotLoadedEndsTheRun", "0=20", {"Customers"}, "",
                             "Please load the Record Manager\n"),
                      Status("NotLoadedInTheMiddleEndsTheRun", "5=20", {"Customers", "/d"},
                             "Opening Data Dictionaries\n"
                             "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
                             "Op: 0, Buflen: 151, KeyNum: 0 Status: 0\n"
                             "Op: 0, Buflen: 20, KeyNum: 0 Status: 0\n"
                             "Data Dictionaries Opened: 0\n"
                             "Op: 5, Buflen: 402, KeyNum: 1 Status: 20\n",
                             "Please load the Record Manager\n"),
                      Status("LoginFailureIsReportedAndTheRunGoesOn", "0=46", {"Customers"}, "",
                             "Record Manager Error 46: Operation=0, File=PVFILE.DDF\n"
                             "Error (Login): Return Code was 46.\n"
                             "Error (Customers): Return Code was 1.\n" +
                                 kNotInDatabase),
                      Status("TableScanFailureIsReportedAsLoadTables", "12=2", {"*"}, "",
                             "Printing Report for ALL Tables.\n"
                             "Record Manager Error 2: Operation=12, File=PVFILE.DDF\n"
                             "Error (Load Tables): Return Code was 2.\n"),
                      Status("CloseFailuresArePrintedButLogoutStaysQuiet", "1=2,5=4", {"Customers"}, "",
                             "Error (Customers): Return Code was 1.\n"
                             "Table Name not in database.\n"
                             "Record Manager Error 2: Operation=1, File=PVFILE.DDF\n"
                             "Record Manager Error 2: Operation=1, File=PVFIELD.DDF\n"
                             "Record Manager Error 2: Operation=1, File=PVINDEX.DDF\n"),
                      Status("TraceShowsEveryCallOnOneLine", "5=2", {"Customers", "/D"},
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
                             "Record Manager Error 2: Operation=5, File=PVFILE.DDF\n" + kNotInDatabase)),
    CaseName());

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
