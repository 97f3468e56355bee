// Bytes as hexadecimal digits, two per byte, high nibble first.
#ifndef MORVEL2_COMMON_HEX_TEXT_H
#define MORVEL2_COMMON_HEX_TEXT_H

#include <cstddef>
#include <span>
#include <string>

enum class HexCase { kUpper, kLower };

// Writes 2 * bytes.size() digits at `out`; returns the end of what it wrote.
char* WriteHex(std::span<const std::byte> bytes, char* out, HexCase letters = HexCase::kUpper);

// Appends the digits to `text`.
void AppendHex(std::span<const std::byte> bytes, std::string* text, HexCase letters = HexCase::kUpper);

#endif  // MORVEL2_COMMON_HEX_TEXT_H
