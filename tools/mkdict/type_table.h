// The column types a description can name: one keyword per type code 0..37,
// the default size of each, and how a value of each is written into a record.
#ifndef MKDICT_TYPE_TABLE_H
#define MKDICT_TYPE_TABLE_H

#include <string_view>

namespace mkdict {

enum class ValueClass {
  kSignedInteger,    // little-endian two's complement, size 1, 2, 4 or 8
  kUnsignedInteger,  // little-endian, size 1, 2, 4 or 8
  kPaddedString,     // bytes, padded with spaces
  kLengthString,     // a length byte, then bytes, padded with zeros
  kZeroString,       // bytes, then at least one zero byte
  kWideString,       // UTF-16LE, padded with spaces
  kWideZeroString,   // UTF-16LE, then at least one zero unit
  kFloat,            // IEEE 754 little-endian, size 4 or 8
  kPackedDecimal,    // two digits a byte, sign in the last half-byte
  kRaw,              // hex bytes only
};

struct TypeInfo {
  int code = 0;
  const char* keyword = nullptr;  // nullptr: no keyword, written TYPE n
  int defaultSize = 0;            // 0: the size must be given
  ValueClass valueClass = ValueClass::kRaw;
};

// The type whose keyword is `word`, in any case, or nullptr.
const TypeInfo* FindTypeKeyword(std::string_view word);

// The type of `code` (0..255); a code without a keyword has no default size
// and takes raw values.
TypeInfo DescribeType(int code);

// True for the codes the report treats as strings: 0, 10, 11, 25 and 26.
bool IsStringType(int code);

}  // namespace mkdict

#endif  // MKDICT_TYPE_TABLE_H
