// End-to-end helpers for the report tool: build a dictionary with mkdict,
// run the real morvel2 in its folder, and compare with golden output.
#ifndef TESTS_MORVEL2_REPORT_RUNNER_H
#define TESTS_MORVEL2_REPORT_RUNNER_H

#include <string>
#include <vector>

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

// Runs morvel2 with `args` in `folder`.
ProcessResult RunMorvel2(const std::string& folder, const std::vector<std::string>& args,
                         ProcessOptions options = {});

// Writes `ddl` to a description file and runs mkdict on it into `folder`
// (with `extraArgs`); returns mkdict's result.
ProcessResult BuildDictionary(const std::string& folder, const std::string& ddl,
                              const std::vector<std::string>& extraArgs = {});

// A folder holding the dictionary that `ddl` describes, built by mkdict the
// first time a description is asked for and shared by the tests of the
// process after that; removed when the process ends.
const std::string& SharedDictionary(const std::string& ddl, const std::vector<std::string>& extraArgs = {});

// Builds `ddl` into a fresh folder and runs morvel2 there with `args`; the
// title's date comes back masked.
ProcessResult ReportOn(const std::string& ddl, const std::vector<std::string>& args);

// The title's date and time, whatever they are, as "Www Mmm dd hh:mm:ss yyyy".
std::string MaskDate(const std::string& report);

// Content of tests/morvel2/golden/<name>.
std::string ReadGolden(const std::string& name);

// Lines of a text, without their line ends.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace testsupport

#endif  // TESTS_MORVEL2_REPORT_RUNNER_H
