#include "morvel2/common/hex_text.h"

char* WriteHex(std::span<const std::byte> bytes, char* out, HexCase letters) {
  const char* digits = letters == HexCase::kUpper ? "0123456789ABCDEF" : "0123456789abcdef";
  for (std::byte b : bytes) {
    const auto value = static_cast<unsigned>(b);
    *out++ = digits[value >> 4];
    *out++ = digits[value & 0xF];
  }
  return out;
}

void AppendHex(std::span<const std::byte> bytes, std::string* text, HexCase letters) {
  const size_t start = text->size();
  text->resize(start + bytes.size() * 2);
  WriteHex(bytes, text->data() + start, letters);
}
