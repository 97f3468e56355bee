// The one-line reporter for a failed step of the run; every step of the
// report passes its status through it.
#ifndef MORVEL2_CLI_REPORT_ERROR_H
#define MORVEL2_CLI_REPORT_ERROR_H

struct RunContext;

// Does nothing for code 0. Otherwise prints
// "Error (<label>): Return Code was <code>." to standard error, the label
// (up to 128 characters) stripped of every trailing space, and notes the
// failure as PrintFailure does.
void ReportError(RunContext* run, const char* label, int code);

// Prints a message that tells of a failure (an error line, a record-manager
// error, a warning) to standard error and notes in `run` that the run
// reported one: the report's exit code is then 1.
void PrintFailure(RunContext* run, const char* format, ...) __attribute__((format(printf, 2, 3)));

#endif  // MORVEL2_CLI_REPORT_ERROR_H
