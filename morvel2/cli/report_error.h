// The one-line reporter for a failed step of the run; every step of the
// report passes its status through it.
#ifndef MORVEL2_CLI_REPORT_ERROR_H
#define MORVEL2_CLI_REPORT_ERROR_H

// Does nothing for code 0. Otherwise prints
// "Error (<label>): Return Code was <code>." to standard error, the label
// (up to 128 characters) stripped of every trailing space.
void ReportError(const char* label, int code);

// Prints a message that tells of a failure (an error line, a record-manager
// error, a warning) to standard error and notes that the run reported one:
// the report's exit code is then 1.
void PrintFailure(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether PrintFailure was called since the last ForgetFailures.
bool FailureWasReported();
void ForgetFailures();

#endif  // MORVEL2_CLI_REPORT_ERROR_H
