#include "cli/report_error.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "morvel2/common/fixed_text.h"
#include "run_context.h"

namespace {

// Labels are step names or table names, at most 128 characters.
constexpr int kMaxLabelLength = 128;

}  // namespace

void PrintFailure(RunContext* run, const char* format, ...) {
  run->failureReported = true;
  va_list arguments;
  va_start(arguments, format);
  // The static analyzer reports this list as not started; it is, just above.
  std::vfprintf(stderr, format, arguments);  // NOLINT(clang-analyzer-valist.Uninitialized)
  va_end(arguments);
}

void ReportError(RunContext* run, const char* label, int code) {
  if (code == 0) return;
  // Unlike TrimTrailingSpaces, a label of spaces only becomes empty.
  const std::string trimmed = TrimmedFixedText(label, kMaxLabelLength);
  PrintFailure(run, "Error (%s): Return Code was %d.\n", trimmed.c_str(), code);
}
