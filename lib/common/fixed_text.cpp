#include "morvel2/common/fixed_text.h"

#include <cstring>

std::string TrimmedFixedText(const char* field, int width) {
  const size_t room = width > 0 ? static_cast<size_t>(width) : 0;
  const auto* end = static_cast<const char*>(std::memchr(field, '\0', room));
  const size_t length = end != nullptr ? static_cast<size_t>(end - field) : room;
  return std::string(field, LengthWithoutTrailingSpaces(field, length));
}
