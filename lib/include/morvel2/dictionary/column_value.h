// A column value as the builder and the dump tools pass it around: the
// column's shape and the value's text with its kind.
#ifndef MORVEL2_DICTIONARY_COLUMN_VALUE_H
#define MORVEL2_DICTIONARY_COLUMN_VALUE_H

#include <cstdint>
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

#endif  // MORVEL2_DICTIONARY_COLUMN_VALUE_H
