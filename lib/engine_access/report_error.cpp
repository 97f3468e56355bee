#include "morvel2/engine_access/report_error.h"

#include <cstdio>
#include <cstring>

#include "morvel2/common/text_helpers.h"

namespace {

// Labels are step names or table names, at most 128 characters.
constexpr int kMaxLabelLength = 128;

}  // namespace

void ReportError(const char* label, int code) {
  if (code == 0) return;
  char copy[kMaxLabelLength + 1];
  CopyText(copy, label, kMaxLabelLength);
  // Unlike TrimTrailingSpaces, a label of spaces only becomes empty.
  size_t length = std::strlen(copy);
  while (length > 0 && copy[length - 1] == ' ') copy[--length] = '\0';
  std::fprintf(stderr, "Error (%s): Return Code was %d.\n", copy, code);
}
