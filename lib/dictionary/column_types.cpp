#include "morvel2/dictionary/column_types.h"

#include <strings.h>

#include <array>
#include <bit>

namespace {

using enum ValueClass;
using enum NumericSign;

constexpr uint32_t Sizes(std::initializer_list<int> sizes) {
  uint32_t bits = 0;
  for (int size : sizes) bits |= uint32_t{1} << size;
  return bits;
}

constexpr uint32_t kIntegerSizes = Sizes({1, 2, 4, 8});
constexpr uint32_t kFloatSizes = Sizes({4, 8});

constexpr std::array<ColumnType, 38> kColumnTypes = {{
    {0, "CHAR", 0, kPaddedString},
    {1, "INTEGER", 4, kSignedInteger, kIntegerSizes},
    {2, "FLOAT", 8, kFloat, kFloatSizes},
    {3, "DATE", 4, kDate, Sizes({4})},
    {4, "TIME", 4, kTime, Sizes({4})},
    {5, "DECIMAL", 0, kPackedDecimal},
    {6, "MONEY", 0, kPackedDecimal},
    {7, "LOGICAL", 1, kLogical, Sizes({1, 2})},
    {8, "NUMERIC", 0, kNumericString, 0, kOverpunch},
    {9, "BFLOAT", 8, kRaw, kFloatSizes},
    {10, "LSTRING", 0, kLengthString},
    {11, "ZSTRING", 0, kZeroString},
    {12, "NOTE", 0, kRaw},
    {13, "LVAR", 0, kRaw},
    {14, "UNSIGNED", 4, kUnsignedInteger, kIntegerSizes},
    {15, "AUTOINC", 4, kSignedInteger, kIntegerSizes},
    {16, "BIT", 1, kBit, Sizes({1})},
    {17, "NUMERICSTS", 0, kNumericString, 0, kTrailingSeparate},
    {18, "NUMERICSA", 0, kNumericString, 0, kAsciiOverpunch},
    {19, "CURRENCY", 8, kCurrency, Sizes({8})},
    {20, "TIMESTAMP", 8, kTimestamp, Sizes({8})},
    {21, "BLOB", 0, kRaw},
    {22, "GDECIMAL", 0, kRaw},
    {23, "CONSTSTRING", 0, kRaw},
    {24, "TYPE24", 0, kRaw},
    {25, "WSTRING", 0, kWideString},
    {26, "WZSTRING", 0, kWideZeroString},
    {27, "GUID", 16, kGuid, Sizes({16})},
    {28, "NUMERICSLB", 0, kNumericString, 0, kLeadingBlank},
    {29, "NUMERICSLS", 0, kNumericString, 0, kLeadingSeparate},
    {30, "DATETIME", 8, kTimestamp, Sizes({8})},
    {31, "NUMERICSTB", 0, kNumericString, 0, kTrailingBlank},
    {32, "AUTOTIMESTAMP", 8, kTimestamp, Sizes({8})},
    {33, "TYPE33", 0, kRaw},
    {34, "TIMESTAMP2", 8, kRaw, Sizes({8})},
    {35, "TYPE35", 0, kRaw},
    {36, "CONSTRAINT", 0, kRaw},
    {37, "INDEXDEF", 0, kRaw},
}};

}  // namespace

const ColumnType* FindColumnType(std::string_view word) {
  for (const ColumnType& type : kColumnTypes) {
    std::string_view keyword = type.keyword;
    if (keyword.size() == word.size() && strncasecmp(keyword.data(), word.data(), word.size()) == 0) {
      return &type;
    }
  }
  return nullptr;
}

ColumnType DescribeColumnType(int code) {
  if (code >= 0 && code < static_cast<int>(kColumnTypes.size())) return kColumnTypes[code];
  return ColumnType{code, nullptr, 0, kRaw};
}

std::string ColumnTypeText(int code) {
  ColumnType type = DescribeColumnType(code);
  return type.keyword != nullptr ? type.keyword : "TYPE " + std::to_string(code);
}

bool AllowsSize(const ColumnType& type, int64_t size) {
  if (type.fixedSizes == 0) return true;
  return size >= 0 && size < 32 && (type.fixedSizes >> size & 1) != 0;
}

std::string AllowedSizesText(const ColumnType& type) {
  std::string text;
  int left = std::popcount(type.fixedSizes);
  for (int size = 0; size < 32; ++size) {
    if ((type.fixedSizes >> size & 1) == 0) continue;
    if (!text.empty()) text += left == 1 ? " or " : ", ";
    text += std::to_string(size);
    --left;
  }
  return text;
}
