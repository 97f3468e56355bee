// The one text form of a column value: what the builder reads in a row and
// what the dump tools print. Each type has exactly one form; bytes that no
// form spells are written as hex.
#ifndef MORVEL2_DICTIONARY_VALUE_TEXT_H
#define MORVEL2_DICTIONARY_VALUE_TEXT_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// What a column's bytes mean: its field record's type, size, decimal places
// and flags.
struct ColumnShape {
  int typeCode = 0;
  uint32_t size = 0;
  uint16_t decimals = 0;
  uint32_t flags = 0;
};

enum class ValueKind {
  kString,   // a quoted string: text, dates, times, timestamps, GUIDs
  kNumber,   // an unquoted number: integers, decimals, floats, currency
  kBoolean,  // TRUE or FALSE
  kHex,      // the bytes themselves, as upper-case hex digits
};

struct ValueText {
  ValueKind kind = ValueKind::kHex;
  std::string text;  // unquoted and unescaped: "Ann", "2024-01-15", "-12.50", "TRUE", "0A1B"
};

// The text form of `bytes` (the column's shape.size bytes of a record),
// chosen so that ParseValueText gives back exactly these bytes; kHex where
// no other form does (an impossible date, a NUL inside a string, an AUTOINC
// of 0, which the builder would number).
ValueText FormatValueText(const ColumnShape& shape, std::span<const std::byte> bytes);
// The same form written into *value, whose text keeps its storage: a caller
// that formats many values with one ValueText allocates nothing per value.
void FormatValueTextInto(const ColumnShape& shape, std::span<const std::byte> bytes, ValueText* value);

// Writes `value` into `field`, the column's shape.size bytes of a record,
// which hold zeros. A hex value is copied and may be shorter than the
// column. Returns false with *reason, a phrase such as "no such date", when
// the value's kind does not suit the column's type or the value can't exist
// or does not fit.
bool ParseValueText(const ColumnShape& shape, const ValueText& value, std::span<std::byte> field,
                    std::string* reason);

#endif  // MORVEL2_DICTIONARY_VALUE_TEXT_H
