#include "morvel2/dictionary/value_text.h"

#include <cstring>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

ValueText FormatValueText(const ColumnShape&, std::span<const std::byte> bytes) {
  ValueText value;
  value.kind = ValueKind::kHex;
  value.text.reserve(bytes.size() * 2);
  for (std::byte b : bytes) {
    const auto v = static_cast<unsigned>(b);
    value.text += kHexDigits[v >> 4];
    value.text += kHexDigits[v & 0xF];
  }
  return value;
}

bool ParseValueText(const ColumnShape& shape, const ValueText& value, std::span<std::byte> field,
                    std::string* reason) {
  if (value.kind != ValueKind::kHex) {
    *reason = "only hex values fit";
    return false;
  }
  if (value.text.size() % 2 != 0 || value.text.size() / 2 > shape.size ||
      value.text.size() / 2 > field.size()) {
    *reason = "hex value too long for the column";
    return false;
  }
  for (size_t i = 0; i < value.text.size() / 2; ++i) {
    const int high = HexDigit(value.text[2 * i]);
    const int low = HexDigit(value.text[2 * i + 1]);
    if (high < 0 || low < 0) {
      *reason = "not a hex digit";
      return false;
    }
    field[i] = static_cast<std::byte>(high << 4 | low);
  }
  return true;
}
