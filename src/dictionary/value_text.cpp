#include "morvel2/dictionary/value_text.h"

#include <algorithm>
#include <vector>

#include "morvel2/dictionary/column_types.h"
#include "value_forms.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

ValueText HexText(std::span<const std::byte> bytes) {
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

enum class Family { kNumber, kString, kCalendar, kRaw };

Family FamilyOf(ValueClass valueClass) {
  switch (valueClass) {
    case ValueClass::kPaddedString:
    case ValueClass::kLengthString:
    case ValueClass::kZeroString:
    case ValueClass::kWideString:
    case ValueClass::kWideZeroString: return Family::kString;
    case ValueClass::kDate:
    case ValueClass::kTime:
    case ValueClass::kTimestamp:
    case ValueClass::kGuid: return Family::kCalendar;
    case ValueClass::kRaw: return Family::kRaw;
    default: return Family::kNumber;
  }
}

bool ParseHex(const ColumnShape& shape, const std::string& text, std::span<std::byte> field,
              std::string* reason) {
  if (text.size() % 2 != 0 || text.size() / 2 > shape.size || text.size() / 2 > field.size()) {
    *reason = "hex value too long";
    return false;
  }
  for (size_t i = 0; i < text.size() / 2; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) {
      *reason = "not a hex digit";
      return false;
    }
    field[i] = static_cast<std::byte>(high << 4 | low);
  }
  return true;
}

}  // namespace

ValueText FormatValueText(const ColumnShape& shape, std::span<const std::byte> bytes) {
  const ColumnType type = DescribeColumnType(shape.typeCode);
  const bool autoNumbered =
      shape.typeCode == kTypeAutoIncrement &&
      std::all_of(bytes.begin(), bytes.end(), [](std::byte b) { return b == std::byte{0}; });
  if (bytes.size() != shape.size || !AllowsSize(type, shape.size) || autoNumbered) return HexText(bytes);
  ValueText value;
  bool formed = false;
  switch (FamilyOf(type.valueClass)) {
    case Family::kNumber: formed = valueforms::FormatNumber(type, shape, bytes, &value); break;
    case Family::kString: formed = valueforms::FormatString(type, bytes, &value); break;
    case Family::kCalendar: formed = valueforms::FormatCalendar(type, bytes, &value); break;
    case Family::kRaw: break;
  }
  // A form is printed only if it reads back as these very bytes; the forms
  // then need not know every byte pattern that has no text.
  std::vector<std::byte> check(bytes.size());
  std::string reason;
  if (formed && ParseValueText(shape, value, check, &reason) &&
      std::equal(check.begin(), check.end(), bytes.begin())) {
    return value;
  }
  return HexText(bytes);
}

bool ParseValueText(const ColumnShape& shape, const ValueText& value, std::span<std::byte> field,
                    std::string* reason) {
  if (value.kind == ValueKind::kHex) return ParseHex(shape, value.text, field, reason);
  const ColumnType type = DescribeColumnType(shape.typeCode);
  if (field.size() != shape.size || !AllowsSize(type, shape.size) || type.valueClass == ValueClass::kRaw) {
    *reason = "only hex values fit";
    return false;
  }
  switch (FamilyOf(type.valueClass)) {
    case Family::kNumber: return valueforms::ParseNumber(type, shape, value, field, reason);
    case Family::kString: return valueforms::ParseString(type, value, field, reason);
    default: return valueforms::ParseCalendar(type, value, field, reason);
  }
}
