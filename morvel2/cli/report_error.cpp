#include "cli/report_error.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "morvel2/common/text_helpers.h"

namespace {

// Labels are step names or table names, at most 128 characters.
constexpr int kMaxLabelLength = 128;

// Set by every failure message of the run; read once, for the exit code.
bool gFailureReported = false;

}  // namespace

void PrintFailure(const char* format, ...) {
  gFailureReported = true;
  va_list arguments;
  va_start(arguments, format);
  // The static analyzer reports this list as not started; it is, just above.
  std::vfprintf(stderr, format, arguments);  // NOLINT(clang-analyzer-valist.Uninitialized)
  va_end(arguments);
}

bool FailureWasReported() { return gFailureReported; }

void ForgetFailures() { gFailureReported = false; }

void ReportError(const char* label, int code) {
  if (code == 0) return;
  char copy[kMaxLabelLength + 1];
  CopyText(copy, label, kMaxLabelLength);
  // Unlike TrimTrailingSpaces, a label of spaces only becomes empty.
  size_t length = std::strlen(copy);
  while (length > 0 && copy[length - 1] == ' ') copy[--length] = '\0';
  PrintFailure("Error (%s): Return Code was %d.\n", copy, code);
}
