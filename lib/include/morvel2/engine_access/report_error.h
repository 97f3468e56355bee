// The one-line reporter for a failed step of the run, and the one path every
// failure message of a report run takes to standard error. It sits beside
// the call policy because every layer above reports statuses through it.
#ifndef MORVEL2_ENGINE_ACCESS_REPORT_ERROR_H
#define MORVEL2_ENGINE_ACCESS_REPORT_ERROR_H

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

#endif  // MORVEL2_ENGINE_ACCESS_REPORT_ERROR_H
