// End-to-end helpers for the report tool: build a dictionary with mkdict,
// run the real morvel2 in its folder, and compare all it prints with what
// is expected; and the one table-driven test most report cases run through.
#ifndef TESTS_MORVEL2_REPORT_RUNNER_H
#define TESTS_MORVEL2_REPORT_RUNNER_H

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mkdict_run.h"
#include "named_case.h"
#include "report_date.h"
#include "run_process.h"

namespace testsupport {

// The trace of a login that opened all three dictionary files.
extern const std::string kLoginTrace;
// The trace of the logout after a lookup, whatever it found: slot 1 keeps
// the length and key number of its last read, the other two those of their
// open.
extern const std::string kLogoutTrace;

// The end of every table's report.
inline const std::string kTrailer = "\nEnd of Listing.\n\f";
// The error line of a table name the dictionary does not hold.
inline const std::string kNotInDatabase = "Table Name not in database.\n";

// The exit code of a report run that printed `err` on standard error: 1 when
// it holds anything but the all-tables banner, else 0.
int ExitCodeFor(const std::string& err);

// Runs morvel2 with `args` in `folder`, and checks that its exit code is
// the one its standard error calls for (ExitCodeFor).
ProcessResult RunMorvel2(const std::string& folder, const std::vector<std::string>& args,
                         ProcessOptions options = {});

// A folder holding the dictionary that `ddl` describes, built by mkdict the
// first time a description is asked for and shared by the tests of the
// process after that; removed when the process ends.
const std::string& SharedDictionary(const std::string& ddl, const std::vector<std::string>& extraArgs = {});

// Checks all a run printed: standard output (its date masked) against
// `out`, standard error against `err`, and the exit code `err` calls for.
// A long output that differs is shown by its first differing line.
void ExpectPrinted(const ProcessResult& result, const std::string& out, const std::string& err);

// One run of the report and all it should print. The files of
// INSTANTIATE_TEST_SUITE_P(Prefix, ReportTest, ...) hold only such cases.
struct ReportCase : NamedCase {
  std::optional<std::string> ddl;  // built once per process; nullopt: a folder without a dictionary
  std::vector<std::string> args;
  std::string expectedOut;  // "golden:NAME" (here and in expectedErr) reads tests/morvel2/golden/NAME
  std::string expectedErr = "";
  std::vector<std::string> mkdictArgs = {};
  std::map<std::string, std::string> environment = {};  // added to morvel2's
};

class ReportTest : public ::testing::TestWithParam<ReportCase> {};

// Content of tests/morvel2/golden/<name>.
std::string ReadGolden(const std::string& name);

// Lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace testsupport

#endif  // TESTS_MORVEL2_REPORT_RUNNER_H
