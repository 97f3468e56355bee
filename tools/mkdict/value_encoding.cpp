#include "value_encoding.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "type_table.h"

namespace mkdict {
namespace {

std::string ColumnText(const Column& column) {
  std::string text =
      "column " + column.name + " (" + TypeText(column.typeCode) + "(" + std::to_string(column.size);
  if (column.decimals != 0) text += "," + std::to_string(column.decimals);
  return text + "))";
}

bool Reject(const std::string& what, const Column& column, std::string* reason) {
  *reason = what + " " + ColumnText(column);
  return false;
}

void WriteLittleEndian(uint64_t bits, std::span<std::byte> field) {
  for (size_t i = 0; i < field.size(); ++i) field[i] = static_cast<std::byte>(bits >> (8 * i));
}

bool IsIntegerSize(size_t size) { return size == 1 || size == 2 || size == 4 || size == 8; }

bool EncodeInteger(const Literal& value, bool isSigned, const Column& column, std::span<std::byte> field,
                   std::string* reason) {
  if (value.kind != LiteralKind::kInteger) {
    return Reject("an integer value is needed for", column, reason);
  }
  if (!IsIntegerSize(field.size())) {
    return Reject("only hex values or NULL fit", column, reason);
  }
  unsigned bits = static_cast<unsigned>(field.size()) * 8;
  uint64_t all = bits == 64 ? UINT64_MAX : (uint64_t{1} << bits) - 1;
  uint64_t limit = isSigned ? (all >> 1) + (value.negative ? 1 : 0) : (value.negative ? 0 : all);
  if (value.magnitude > limit) return Reject("value out of range for", column, reason);
  WriteLittleEndian(value.negative ? 0 - value.magnitude : value.magnitude, field);
  return true;
}

// Decodes UTF-8 into UTF-16 code units. Returns false on malformed input.
bool ToUtf16(const std::string& text, std::u16string* units) {
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    int extra = byte < 0x80           ? 0
                : (byte >> 5) == 0x6  ? 1
                : (byte >> 4) == 0xE  ? 2
                : (byte >> 3) == 0x1E ? 3
                                      : -1;
    if (extra < 0 || (extra > 0 && i + extra >= text.size())) return false;
    uint32_t point = extra == 0 ? byte : byte & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    i += extra + 1;
    if (point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    if (point >= 0x10000) {
      point -= 0x10000;
      units->push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
      units->push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    } else {
      units->push_back(static_cast<char16_t>(point));
    }
  }
  return true;
}

bool EncodeString(const Literal& value, ValueClass valueClass, const Column& column,
                  std::span<std::byte> field, std::string* reason) {
  if (value.kind != LiteralKind::kString) return Reject("a string is needed for", column, reason);
  const std::string& text = value.text;
  size_t size = field.size();
  switch (valueClass) {
    case ValueClass::kPaddedString:
      if (text.size() > size) return Reject("string too long for", column, reason);
      std::memset(field.data(), ' ', size);
      std::memcpy(field.data(), text.data(), text.size());
      return true;
    case ValueClass::kZeroString:
      if (text.size() + 1 > size) return Reject("string too long for", column, reason);
      std::memcpy(field.data(), text.data(), text.size());
      return true;
    case ValueClass::kLengthString:
      if (text.size() + 1 > size || text.size() > 255) {
        return Reject("string too long for", column, reason);
      }
      field[0] = static_cast<std::byte>(text.size());
      std::memcpy(field.data() + 1, text.data(), text.size());
      return true;
    default: {
      std::u16string units;
      if (!ToUtf16(text, &units)) return Reject("string is not valid UTF-8 for", column, reason);
      bool padded = valueClass == ValueClass::kWideString;
      if (units.size() * 2 + (padded ? 0 : 2) > size) {
        return Reject("string too long for", column, reason);
      }
      if (padded) {
        for (size_t i = 0; i + 1 < size; i += 2) field[i] = std::byte{' '};
      }
      for (size_t i = 0; i < units.size(); ++i) {
        field[2 * i] = static_cast<std::byte>(units[i] & 0xFF);
        field[2 * i + 1] = static_cast<std::byte>(units[i] >> 8);
      }
      return true;
    }
  }
}

bool EncodeFloat(const Literal& value, const Column& column, std::span<std::byte> field,
                 std::string* reason) {
  if (value.kind != LiteralKind::kInteger && value.kind != LiteralKind::kDecimal &&
      value.kind != LiteralKind::kFloat) {
    return Reject("a number is needed for", column, reason);
  }
  if (field.size() != 4 && field.size() != 8) {
    return Reject("only hex values or NULL fit", column, reason);
  }
  std::string text = (value.negative ? "-" : "") + value.text;
  errno = 0;
  double number = std::strtod(text.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(number)) return Reject("value out of range for", column, reason);
  if (field.size() == 4) {
    float single = static_cast<float>(number);
    if (std::isinf(single)) return Reject("value out of range for", column, reason);
    uint32_t bits;
    std::memcpy(&bits, &single, sizeof bits);
    WriteLittleEndian(bits, field);
  } else {
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    WriteLittleEndian(bits, field);
  }
  return true;
}

// Packed decimal: the digits right-aligned in the first 2 * size - 1
// half-bytes, then the sign: 0xF for positive and zero, 0xD for negative.
bool EncodeDecimal(const Literal& value, const Column& column, std::span<std::byte> field,
                   std::string* reason) {
  std::string whole;
  std::string fraction;
  if (value.kind == LiteralKind::kInteger) {
    whole = std::to_string(value.magnitude);
  } else if (value.kind == LiteralKind::kDecimal) {
    size_t dot = value.text.find('.');
    whole = value.text.substr(0, dot);
    fraction = value.text.substr(dot + 1);
  } else {
    return Reject("an integer or decimal value is needed for", column, reason);
  }
  while (fraction.size() > column.decimals && fraction.back() == '0') fraction.pop_back();
  if (fraction.size() > column.decimals) {
    return Reject("too many decimal places for", column, reason);
  }
  std::string digits = whole + fraction + std::string(column.decimals - fraction.size(), '0');
  size_t first = digits.find_first_not_of('0');
  digits = first == std::string::npos ? "" : digits.substr(first);
  if (field.empty() || digits.size() > field.size() * 2 - 1) {
    return Reject("value out of range for", column, reason);
  }
  std::vector<uint8_t> nibbles(field.size() * 2, 0);
  for (size_t i = 0; i < digits.size(); ++i) {
    nibbles[nibbles.size() - 1 - digits.size() + i] = static_cast<uint8_t>(digits[i] - '0');
  }
  nibbles.back() = value.negative && !digits.empty() ? 0xD : 0xF;
  for (size_t i = 0; i < field.size(); ++i) {
    field[i] = static_cast<std::byte>(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
  }
  return true;
}

}  // namespace

std::string TypeText(int typeCode) {
  TypeInfo type = DescribeType(typeCode);
  return type.keyword != nullptr ? type.keyword : "TYPE " + std::to_string(typeCode);
}

bool EncodeValue(const Literal& value, const Column& column, std::span<std::byte> field,
                 std::string* reason) {
  if (value.kind == LiteralKind::kNull) return true;
  if (value.kind == LiteralKind::kHex) {
    if (value.text.size() > field.size()) return Reject("hex value too long for", column, reason);
    std::memcpy(field.data(), value.text.data(), value.text.size());
    return true;
  }
  ValueClass valueClass = DescribeType(column.typeCode).valueClass;
  switch (valueClass) {
    case ValueClass::kSignedInteger:
    case ValueClass::kUnsignedInteger:
      return EncodeInteger(value, valueClass == ValueClass::kSignedInteger, column, field, reason);
    case ValueClass::kFloat: return EncodeFloat(value, column, field, reason);
    case ValueClass::kPackedDecimal: return EncodeDecimal(value, column, field, reason);
    case ValueClass::kRaw: return Reject("only hex values or NULL fit", column, reason);
    default: return EncodeString(value, valueClass, column, field, reason);
  }
}

}  // namespace mkdict
