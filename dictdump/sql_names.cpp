#include "sql_names.h"

#include <algorithm>

namespace dictdump {

namespace {

// Length of the valid UTF-8 sequence at `i`, or 0.
size_t SequenceLength(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  uint32_t point = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0)
    length = 2, point = lead & 0x1F;
  else if ((lead & 0xF0) == 0xE0)
    length = 3, point = lead & 0x0F;
  else if ((lead & 0xF8) == 0xF0)
    length = 4, point = lead & 0x07;
  else
    return 0;
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    point = point << 6 | (next & 0x3F);
  }
  static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
  return length;
}

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string ValidUtf8(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = SequenceLength(text, i);
    if (length == 0) {
      result += '?';
      ++i;
    } else {
      result.append(text, i, length);
      i += length;
    }
  }
  return result;
}

std::string CutUtf8(const std::string& text, size_t maxBytes) {
  if (maxBytes == 0 || text.size() <= maxBytes) return text;
  size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string SqlNames::Take(const std::string& wanted) {
  std::string base = ValidUtf8(wanted);
  std::replace(base.begin(), base.end(), '^', ' ');
  std::string name = CutUtf8(base, maxBytes_);
  for (int n = 2; !taken_.insert(Folded(name)).second; ++n) {
    std::string suffix(1, '_');
    suffix += std::to_string(n);
    name = CutUtf8(base, maxBytes_ == 0 ? 0 : maxBytes_ - suffix.size()) + suffix;
  }
  return name;
}

}  // namespace dictdump
