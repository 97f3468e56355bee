// The tools' form of a fixed-width, space-padded name or location of the
// dictionary, and of the report's error labels. (The report's names keep
// their own, TrimTrailingSpaces, whose text of spaces only keeps one space.)
#ifndef MORVEL2_COMMON_FIXED_TEXT_H
#define MORVEL2_COMMON_FIXED_TEXT_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// The length of text[0, length) without its trailing spaces (0 for spaces
// only). Names and padded values are mostly padding: eight bytes are passed
// at a time, and the last word with another byte tells how many of its own
// are spaces. Inline: a dump asks it for every padded value.
inline size_t LengthWithoutTrailingSpaces(const char* text, size_t length) {
  constexpr uint64_t kSpaces = 0x2020202020202020;
  for (; length >= 8; length -= 8) {
    uint64_t word = 0;
    std::memcpy(&word, text + length - 8, 8);
    const uint64_t others = word ^ kSpaces;  // zero bytes where the text has spaces
    if (others == 0) continue;
    // The word's last other byte, in memory order, is its highest non-zero
    // byte on a little-endian machine and its lowest on a big-endian one.
    const int spaceBits =
        std::endian::native == std::endian::little ? std::countl_zero(others) : std::countr_zero(others);
    return length - static_cast<size_t>(spaceBits / 8);
  }
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

// The field up to its first terminator, if any, without trailing spaces: a
// text of spaces only becomes empty.
std::string TrimmedFixedText(const char* field, int width);

#endif  // MORVEL2_COMMON_FIXED_TEXT_H
