// The column types a description can name: one keyword per type code 0..37,
// the default size of each, the sizes a fixed-width type allows, and the
// text form its values take (see value_text.h).
#ifndef MORVEL2_DICTIONARY_COLUMN_TYPES_H
#define MORVEL2_DICTIONARY_COLUMN_TYPES_H

#include <cstdint>
#include <string>
#include <string_view>

enum class ValueClass {
  kSignedInteger,    // little-endian two's complement
  kUnsignedInteger,  // little-endian
  kLogical,          // TRUE 1, FALSE 0, or an unsigned integer, little-endian
  kBit,              // TRUE 1, FALSE 0
  kFloat,            // IEEE 754 little-endian
  kPackedDecimal,    // two digits a byte, sign in the last half-byte
  kCurrency,         // signed little-endian 64-bit count of ten-thousandths
  kDate,             // day, month, year as little-endian 16 bits
  kTime,             // hundredths, seconds, minutes, hours
  kTimestamp,        // unsigned little-endian 64-bit microseconds since 0001-01-01
  kGuid,             // 16 bytes in the order the text shows them
  kNumericString,    // ASCII digits, right-aligned, with a sign (see NumericSign)
  kPaddedString,     // bytes, padded with spaces
  kLengthString,     // a length byte, then bytes, padded with zeros
  kZeroString,       // bytes, then at least one zero byte
  kWideString,       // UTF-16LE, padded with spaces
  kWideZeroString,   // UTF-16LE, then at least one zero unit
  kRaw,              // hex bytes only
};

// Where a numeric string keeps its sign.
enum class NumericSign {
  kNone,
  kOverpunch,         // in the last digit: {ABCDEFGHI for +0..9, }JKLMNOPQR for -0..9
  kAsciiOverpunch,    // in the last digit: 0..9 for +, pqrstuvwxy for -0..9
  kTrailingSeparate,  // a last byte '+' or '-'
  kLeadingSeparate,   // a first byte '+' or '-'
  kTrailingBlank,     // a last byte ' ' (plus) or '-'
  kLeadingBlank,      // a first byte ' ' (plus) or '-'
};

// AUTOINC: a value of 0 is numbered by the builder.
constexpr int kTypeAutoIncrement = 15;

struct ColumnType {
  int code = 0;
  const char* keyword = nullptr;  // nullptr: no keyword, written TYPE n
  int defaultSize = 0;            // 0: the size must be given
  ValueClass valueClass = ValueClass::kRaw;
  uint32_t fixedSizes = 0;  // bit n set: size n allowed; 0: any size
  NumericSign sign = NumericSign::kNone;
};

// The type whose keyword is `word`, in any case, or nullptr.
const ColumnType* FindColumnType(std::string_view word);

// The type of `code` (0..255); a code without a keyword has no default size
// and takes raw values.
ColumnType DescribeColumnType(int code);

// The type as a description writes it: its keyword or "TYPE n".
std::string ColumnTypeText(int code);

// True if `size` suits the type; false for a fixed-width type's other sizes.
bool AllowsSize(const ColumnType& type, int64_t size);

// The sizes a fixed-width type allows, as "1, 2, 4 or 8".
std::string AllowedSizesText(const ColumnType& type);

#endif  // MORVEL2_DICTIONARY_COLUMN_TYPES_H
