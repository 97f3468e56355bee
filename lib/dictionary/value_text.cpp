#include "morvel2/dictionary/value_text.h"

#include <algorithm>
#include <array>
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

void HexText(std::span<const std::byte> bytes, ValueText* value) {
  value->kind = ValueKind::kHex;
  value->text.resize(bytes.size() * 2);
  char* out = value->text.data();
  for (std::byte b : bytes) {
    const auto v = static_cast<unsigned>(b);
    *out++ = kHexDigits[v >> 4];
    *out++ = kHexDigits[v & 0xF];
  }
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

// Forms that read back as their bytes whatever the bytes are, so need no
// check: most values of a dump are of these, and the check costs more than
// the form.
bool ExactByConstruction(const ColumnType& type, std::span<const std::byte> bytes, const ValueText& value) {
  switch (type.valueClass) {
    case ValueClass::kSignedInteger:
    case ValueClass::kUnsignedInteger:
    case ValueClass::kLogical:
    case ValueClass::kBit:
    case ValueClass::kCurrency: return bytes.size() <= 8;
    case ValueClass::kPaddedString: return true;
    case ValueClass::kZeroString:
      // The text stops at the first NUL; the builder writes zeros after it.
      return value.text.size() < bytes.size() &&
             std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(value.text.size()), bytes.end(),
                         [](std::byte b) { return b == std::byte{0}; });
    case ValueClass::kPackedDecimal: {
      // The builder writes sign 0xF, or 0xD for a number other than zero.
      const unsigned sign = static_cast<unsigned>(bytes.back()) & 0xF;
      const bool zero = value.text.find_first_not_of("-0.") == std::string::npos;
      return sign == 0xF || (sign == 0xD && !zero);
    }
    default: return false;
  }
}

// A form is printed only if it reads back as these very bytes; the forms
// then need not know every byte pattern that has no text.
bool ReadsBack(const ColumnShape& shape, const ValueText& value, std::span<const std::byte> bytes) {
  constexpr size_t kStackBytes = 256;
  std::array<std::byte, kStackBytes> stack{};
  std::vector<std::byte> heap;
  std::span<std::byte> check(stack.data(), bytes.size());
  if (bytes.size() > kStackBytes) {
    heap.resize(bytes.size());
    check = heap;
  }
  std::string reason;
  return ParseValueText(shape, value, check, &reason) &&
         std::equal(check.begin(), check.end(), bytes.begin());
}

}  // namespace

ValueText FormatValueText(const ColumnShape& shape, std::span<const std::byte> bytes) {
  ValueText value;
  FormatValueTextInto(shape, bytes, &value);
  return value;
}

void FormatValueTextInto(const ColumnShape& shape, std::span<const std::byte> bytes, ValueText* value) {
  const ColumnType type = DescribeColumnType(shape.typeCode);
  const bool autoNumbered =
      shape.typeCode == kTypeAutoIncrement &&
      std::all_of(bytes.begin(), bytes.end(), [](std::byte b) { return b == std::byte{0}; });
  if (bytes.size() != shape.size || !AllowsSize(type, shape.size) || autoNumbered) {
    return HexText(bytes, value);
  }
  bool formed = false;
  switch (FamilyOf(type.valueClass)) {
    case Family::kNumber: formed = valueforms::FormatNumber(type, shape, bytes, value); break;
    case Family::kString: formed = valueforms::FormatString(type, bytes, value); break;
    case Family::kCalendar: formed = valueforms::FormatCalendar(type, bytes, value); break;
    case Family::kRaw: break;
  }
  if (formed && (ExactByConstruction(type, bytes, *value) || ReadsBack(shape, *value, bytes))) return;
  HexText(bytes, value);
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
