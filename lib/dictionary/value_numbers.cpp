// Numbers: integers, TRUE and FALSE, floats, packed decimals, currency and
// the numeric strings.
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "value_forms.h"

namespace valueforms {
namespace {

// A number written without exponent: [-]digits[.digits].
struct Decimal {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

bool IsDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

bool ReadDecimal(const ValueText& value, Decimal* number) {
  if (value.kind != ValueKind::kNumber) return false;
  std::string text = value.text;
  if (!text.empty() && text[0] == '-') {
    number->negative = true;
    text.erase(0, 1);
  }
  size_t point = text.find('.');
  number->whole = text.substr(0, point);
  if (point != std::string::npos) {
    number->fraction = text.substr(point + 1);
    if (!IsDigits(number->fraction)) return false;
  }
  return IsDigits(number->whole);
}

// The number's digits scaled by 10^places, without leading zeros ("" for
// zero). False when it has more places than that (trailing zeros aside).
bool ScaledDigits(const Decimal& number, unsigned places, std::string* digits) {
  std::string fraction = number.fraction;
  while (fraction.size() > places && fraction.back() == '0') fraction.pop_back();
  if (fraction.size() > places) return false;
  *digits = number.whole + fraction + std::string(places - fraction.size(), '0');
  size_t first = digits->find_first_not_of('0');
  *digits = first == std::string::npos ? "" : digits->substr(first);
  return true;
}

bool DigitsToUnsigned(const std::string& digits, uint64_t* out) {
  uint64_t value = 0;
  for (char c : digits) {
    auto digit = static_cast<uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return false;
    value = value * 10 + digit;
  }
  *out = value;
  return true;
}

// Digits as a number with `places` decimal places: "1250", 2 → "12.50".
std::string PlaceDecimalPoint(std::string digits, unsigned places, bool negative) {
  size_t first = digits.find_first_not_of('0');
  digits.erase(0, first == std::string::npos ? digits.size() : first);
  if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
  if (places > 0) digits.insert(digits.size() - places, 1, '.');
  std::string text(negative ? "-" : "");
  text += digits;
  return text;
}

bool Reason(const char* text, std::string* reason) {
  *reason = text;
  return false;
}

bool ParseInteger(bool isSigned, const ValueText& value, std::span<std::byte> field, std::string* reason) {
  Decimal number;
  uint64_t magnitude = 0;
  if (!ReadDecimal(value, &number) || !number.fraction.empty()) {
    return Reason("an integer value is needed", reason);
  }
  std::string digits;
  ScaledDigits(number, 0, &digits);
  unsigned bits = static_cast<unsigned>(field.size()) * 8;
  uint64_t all = bits == 64 ? UINT64_MAX : (uint64_t{1} << bits) - 1;
  bool negative = number.negative && !digits.empty();
  uint64_t limit = isSigned ? (all >> 1) + (negative ? 1 : 0) : (negative ? 0 : all);
  if (!DigitsToUnsigned(digits, &magnitude) || magnitude > limit) return Reason("value out of range", reason);
  StoreLittleEndian(negative ? 0 - magnitude : magnitude, field);
  return true;
}

void IntegerText(bool isSigned, std::span<const std::byte> bytes, std::string* text) {
  uint64_t bits = LoadLittleEndian(bytes);
  unsigned width = static_cast<unsigned>(bytes.size()) * 8;
  char digits[24];
  char* end = digits;
  if (!isSigned || width == 0 || (bits >> (width - 1) & 1) == 0) {
    end = std::to_chars(digits, digits + sizeof digits, bits).ptr;
  } else {
    *end++ = '-';
    end = std::to_chars(end, digits + sizeof digits, width == 64 ? 0 - bits : (uint64_t{1} << width) - bits)
              .ptr;
  }
  text->assign(digits, end);
}

bool IsBoolean(const ValueText& value, bool* truth) {
  if (value.kind != ValueKind::kBoolean) return false;
  *truth = value.text == "TRUE";
  return value.text == "TRUE" || value.text == "FALSE";
}

bool ParseFloat(const ValueText& value, std::span<std::byte> field, std::string* reason) {
  const std::string& text = value.text;
  if (value.kind != ValueKind::kNumber || text.empty() ||
      text.find_first_not_of("0123456789.eE+-") != std::string::npos) {
    return Reason("a number is needed", reason);
  }
  const char* end = text.data() + text.size();
  if (field.size() == 4) {
    float single = 0;
    auto [stop, error] = std::from_chars(text.data(), end, single);
    if (error == std::errc::result_out_of_range) return Reason("value out of range", reason);
    if (error != std::errc() || stop != end) return Reason("a number is needed", reason);
    uint32_t bits;
    std::memcpy(&bits, &single, sizeof bits);
    StoreLittleEndian(bits, field);
  } else {
    double number = 0;
    auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error == std::errc::result_out_of_range) return Reason("value out of range", reason);
    if (error != std::errc() || stop != end) return Reason("a number is needed", reason);
    uint64_t bits;
    std::memcpy(&bits, &number, sizeof bits);
    StoreLittleEndian(bits, field);
  }
  return true;
}

// Shortest text that reads back as the same float; NaN and infinities have none.
bool FloatText(std::span<const std::byte> bytes, std::string* text) {
  char buffer[64];
  std::to_chars_result result{};
  uint64_t bits = LoadLittleEndian(bytes);
  if (bytes.size() == 4) {
    float single;
    auto narrow = static_cast<uint32_t>(bits);
    std::memcpy(&single, &narrow, sizeof single);
    if (!std::isfinite(single)) return false;
    result = std::to_chars(buffer, buffer + sizeof buffer, single);
  } else {
    double number;
    std::memcpy(&number, &bits, sizeof number);
    if (!std::isfinite(number)) return false;
    result = std::to_chars(buffer, buffer + sizeof buffer, number);
  }
  text->assign(buffer, result.ptr);
  return true;
}

// Packed decimal: the digits right-aligned in the first 2 * size - 1
// half-bytes, then the sign: 0xF for positive and zero, 0xD for negative.
bool ParsePacked(const ColumnShape& shape, const ValueText& value, std::span<std::byte> field,
                 std::string* reason) {
  Decimal number;
  std::string digits;
  if (!ReadDecimal(value, &number)) return Reason("an integer or decimal value is needed", reason);
  if (!ScaledDigits(number, shape.decimals, &digits)) return Reason("too many decimal places", reason);
  if (field.empty() || digits.size() > field.size() * 2 - 1) return Reason("value out of range", reason);
  std::vector<uint8_t> nibbles(field.size() * 2, 0);
  for (size_t i = 0; i < digits.size(); ++i) {
    nibbles[nibbles.size() - 1 - digits.size() + i] = static_cast<uint8_t>(digits[i] - '0');
  }
  nibbles.back() = number.negative && !digits.empty() ? 0xD : 0xF;
  for (size_t i = 0; i < field.size(); ++i) {
    field[i] = static_cast<std::byte>(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
  }
  return true;
}

// Written straight into *text, as PlaceDecimalPoint would place the point:
// a dump prints many of these.
bool PackedText(const ColumnShape& shape, std::span<const std::byte> bytes, std::string* text) {
  if (bytes.empty()) return false;
  const size_t count = bytes.size() * 2 - 1;
  auto digit = [&](size_t i) { return static_cast<unsigned>(bytes[i / 2]) >> (i % 2 == 0 ? 4 : 0) & 0xF; };
  size_t first = count;  // the first digit other than zero
  for (size_t i = 0; i < count; ++i) {
    if (digit(i) > 9) return false;
    if (first == count && digit(i) != 0) first = i;
  }
  const size_t places = shape.decimals;
  const size_t significant = count - first;
  text->clear();
  if ((static_cast<unsigned>(bytes.back()) & 0xF) == 0xD) text->push_back('-');
  auto putDigits = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) text->push_back(static_cast<char>('0' + digit(i)));
  };
  if (significant <= places) {
    text->push_back('0');
    if (places > 0) text->push_back('.');
    text->append(places - significant, '0');
    putDigits(first, count);
  } else {
    putDigits(first, count - places);
    if (places > 0) text->push_back('.');
    putDigits(count - places, count);
  }
  return true;
}

constexpr unsigned kCurrencyPlaces = 4;

bool ParseCurrency(const ValueText& value, std::span<std::byte> field, std::string* reason) {
  Decimal number;
  std::string digits;
  uint64_t magnitude = 0;
  if (!ReadDecimal(value, &number)) return Reason("an integer or decimal value is needed", reason);
  if (!ScaledDigits(number, kCurrencyPlaces, &digits)) return Reason("too many decimal places", reason);
  bool negative = number.negative && !digits.empty();
  if (!DigitsToUnsigned(digits, &magnitude) || magnitude > uint64_t{INT64_MAX} + (negative ? 1 : 0)) {
    return Reason("value out of range", reason);
  }
  StoreLittleEndian(negative ? 0 - magnitude : magnitude, field);
  return true;
}

std::string CurrencyText(std::span<const std::byte> bytes) {
  std::string text;
  IntegerText(true, bytes, &text);
  bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  text = PlaceDecimalPoint(text, kCurrencyPlaces, negative);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

constexpr char kOverpunchPlus[] = "{ABCDEFGHI";
constexpr char kOverpunchMinus[] = "}JKLMNOPQR";
constexpr char kAsciiMinus[] = "pqrstuvwxy";

bool SeparateSign(NumericSign sign) {
  return sign != NumericSign::kOverpunch && sign != NumericSign::kAsciiOverpunch;
}
bool LeadingSign(NumericSign sign) {
  return sign == NumericSign::kLeadingSeparate || sign == NumericSign::kLeadingBlank;
}
char SignByte(NumericSign sign, bool negative) {
  if (negative) return '-';
  return sign == NumericSign::kTrailingBlank || sign == NumericSign::kLeadingBlank ? ' ' : '+';
}

// ASCII digits right-aligned and zero-filled, the sign as the type keeps it.
bool ParseNumeric(NumericSign sign, const ColumnShape& shape, const ValueText& value,
                  std::span<std::byte> field, std::string* reason) {
  Decimal number;
  std::string digits;
  if (!ReadDecimal(value, &number)) return Reason("an integer or decimal value is needed", reason);
  if (!ScaledDigits(number, shape.decimals, &digits)) return Reason("too many decimal places", reason);
  size_t width = field.size() - (SeparateSign(sign) && !field.empty() ? 1 : 0);
  if (width == 0 || digits.size() > width) return Reason("value out of range", reason);
  bool negative = number.negative && !digits.empty();
  std::string text = std::string(width - digits.size(), '0') + digits;
  int last = text.back() - '0';
  if (sign == NumericSign::kOverpunch) {
    text.back() = (negative ? kOverpunchMinus : kOverpunchPlus)[last];
  } else if (sign == NumericSign::kAsciiOverpunch) {
    if (negative) text.back() = kAsciiMinus[last];
  } else if (LeadingSign(sign)) {
    text.insert(text.begin(), SignByte(sign, negative));
  } else {
    text.push_back(SignByte(sign, negative));
  }
  std::memcpy(field.data(), text.data(), text.size());
  return true;
}

bool NumericText(NumericSign sign, const ColumnShape& shape, std::span<const std::byte> bytes,
                 std::string* text) {
  std::string digits(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  bool negative = false;
  if (digits.empty()) return false;
  if (SeparateSign(sign)) {
    char mark = LeadingSign(sign) ? digits.front() : digits.back();
    negative = mark == '-';
    if (!negative && mark != SignByte(sign, false)) return false;
    digits.erase(LeadingSign(sign) ? digits.begin() : digits.end() - 1);
  } else {
    const char* plus = sign == NumericSign::kOverpunch ? kOverpunchPlus : "0123456789";
    const char* minus = sign == NumericSign::kOverpunch ? kOverpunchMinus : kAsciiMinus;
    const char* found = nullptr;
    if ((found = std::strchr(plus, digits.back())) != nullptr && digits.back() != '\0') {
      digits.back() = static_cast<char>('0' + (found - plus));
    } else if ((found = std::strchr(minus, digits.back())) != nullptr && digits.back() != '\0') {
      digits.back() = static_cast<char>('0' + (found - minus));
      negative = true;
    } else {
      return false;
    }
  }
  if (!IsDigits(digits)) return false;
  *text = PlaceDecimalPoint(digits, shape.decimals, negative);
  return true;
}

}  // namespace

uint64_t LoadLittleEndian(std::span<const std::byte> bytes) {
  uint64_t bits = 0;
  for (size_t i = 0; i < bytes.size() && i < 8; ++i) bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  return bits;
}

void StoreLittleEndian(uint64_t bits, std::span<std::byte> field) {
  for (size_t i = 0; i < field.size() && i < 8; ++i) field[i] = static_cast<std::byte>(bits >> (8 * i));
}

bool ParseNumber(const ColumnType& type, const ColumnShape& shape, const ValueText& value,
                 std::span<std::byte> field, std::string* reason) {
  bool truth = false;
  switch (type.valueClass) {
    case ValueClass::kSignedInteger: return ParseInteger(true, value, field, reason);
    case ValueClass::kUnsignedInteger: return ParseInteger(false, value, field, reason);
    case ValueClass::kLogical:
      if (IsBoolean(value, &truth)) {
        StoreLittleEndian(truth ? 1 : 0, field);
        return true;
      }
      if (value.kind != ValueKind::kNumber)
        return Reason("TRUE, FALSE or an integer value is needed", reason);
      return ParseInteger(false, value, field, reason);
    case ValueClass::kBit:
      if (!IsBoolean(value, &truth)) return Reason("TRUE or FALSE is needed", reason);
      StoreLittleEndian(truth ? 1 : 0, field);
      return true;
    case ValueClass::kFloat: return ParseFloat(value, field, reason);
    case ValueClass::kPackedDecimal: return ParsePacked(shape, value, field, reason);
    case ValueClass::kCurrency: return ParseCurrency(value, field, reason);
    default: return ParseNumeric(type.sign, shape, value, field, reason);
  }
}

bool FormatNumber(const ColumnType& type, const ColumnShape& shape, std::span<const std::byte> bytes,
                  ValueText* value) {
  value->kind = ValueKind::kNumber;
  switch (type.valueClass) {
    case ValueClass::kSignedInteger: IntegerText(true, bytes, &value->text); return true;
    case ValueClass::kUnsignedInteger: IntegerText(false, bytes, &value->text); return true;
    case ValueClass::kLogical:
    case ValueClass::kBit: {
      uint64_t bits = LoadLittleEndian(bytes);
      if (bits <= 1) {
        value->kind = ValueKind::kBoolean;
        value->text.assign(bits == 1 ? "TRUE" : "FALSE");
        return true;
      }
      IntegerText(false, bytes, &value->text);
      return type.valueClass == ValueClass::kLogical;
    }
    case ValueClass::kFloat: return FloatText(bytes, &value->text);
    case ValueClass::kPackedDecimal: return PackedText(shape, bytes, &value->text);
    case ValueClass::kCurrency: value->text = CurrencyText(bytes); return true;
    default: return NumericText(type.sign, shape, bytes, &value->text);
  }
}

}  // namespace valueforms
