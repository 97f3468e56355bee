// The one-line reporter for a failed step of the run. It sits beside the
// call policy because every layer above reports statuses through it.
#ifndef MORVEL2_ENGINE_ACCESS_REPORT_ERROR_H
#define MORVEL2_ENGINE_ACCESS_REPORT_ERROR_H

// Does nothing for code 0. Otherwise prints
// "Error (<label>): Return Code was <code>." to standard error, the label
// (up to 128 characters) stripped of every trailing space.
void ReportError(const char* label, int code);

#endif  // MORVEL2_ENGINE_ACCESS_REPORT_ERROR_H
