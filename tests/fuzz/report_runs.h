// The report runs that one input of the report's fuzz target drives, shared
// by the target and by the recorder that makes its seeds.
//
// Input: a 1-byte length n, n bytes of table name (cut at a NUL, as a
// command-line argument would be), then the answer stream (answer_stream.h)
// for every record-manager call of all the runs together.
#ifndef TESTS_FUZZ_REPORT_RUNS_H
#define TESTS_FUZZ_REPORT_RUNS_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzsupport {

// Splits an input into its table name and its answer stream.
void SplitReportInput(const uint8_t* input, size_t size, std::string* tableName, const uint8_t** stream,
                      size_t* streamSize);

// The start of an input that names `tableName` (at most 255 bytes).
std::string ReportInputPrefix(const std::string& tableName);

// Runs the report in-process, over whatever record-manager entry is set:
//   morvel2 * /abfixud, morvel2 NAME /abfioxud, morvel2 * /n, morvel2 NAME /nb
// so that every option is set in some run, in both modes.
void RunReports(const std::string& tableName);

}  // namespace fuzzsupport

#endif  // TESTS_FUZZ_REPORT_RUNS_H
