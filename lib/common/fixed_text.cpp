#include "morvel2/common/fixed_text.h"

#include <cstring>

std::string TrimmedFixedText(const char* field, int width) {
  const size_t room = width > 0 ? static_cast<size_t>(width) : 0;
  const auto* end = static_cast<const char*>(std::memchr(field, '\0', room));
  size_t length = end != nullptr ? static_cast<size_t>(end - field) : room;
  // Names are mostly padding: spaces skipped eight at a time first.
  while (length >= 8 && std::memcmp(field + length - 8, "        ", 8) == 0) length -= 8;
  while (length > 0 && field[length - 1] == ' ') --length;
  return std::string(field, length);
}
