#include "type_table.h"

#include <strings.h>
#include <array>

namespace mkdict {
namespace {

using enum ValueClass;

constexpr std::array<TypeInfo, 38> kTypeTable = {{
    {0, "CHAR", 0, kPaddedString},
    {1, "INTEGER", 4, kSignedInteger},
    {2, "FLOAT", 8, kFloat},
    {3, "DATE", 4, kRaw},
    {4, "TIME", 4, kRaw},
    {5, "DECIMAL", 0, kPackedDecimal},
    {6, "MONEY", 0, kPackedDecimal},
    {7, "LOGICAL", 1, kUnsignedInteger},
    {8, "NUMERIC", 0, kRaw},
    {9, "BFLOAT", 8, kRaw},
    {10, "LSTRING", 0, kLengthString},
    {11, "ZSTRING", 0, kZeroString},
    {12, "NOTE", 0, kRaw},
    {13, "LVAR", 0, kRaw},
    {14, "UNSIGNED", 4, kUnsignedInteger},
    {15, "AUTOINC", 4, kSignedInteger},
    {16, "BIT", 1, kRaw},
    {17, "NUMERICSTS", 0, kRaw},
    {18, "NUMERICSA", 0, kRaw},
    {19, "CURRENCY", 8, kRaw},
    {20, "TIMESTAMP", 8, kRaw},
    {21, "BLOB", 0, kRaw},
    {22, "GDECIMAL", 0, kRaw},
    {23, "CONSTSTRING", 0, kRaw},
    {24, "TYPE24", 0, kRaw},
    {25, "WSTRING", 0, kWideString},
    {26, "WZSTRING", 0, kWideZeroString},
    {27, "GUID", 16, kRaw},
    {28, "NUMERICSLB", 0, kRaw},
    {29, "NUMERICSLS", 0, kRaw},
    {30, "DATETIME", 8, kRaw},
    {31, "NUMERICSTB", 0, kRaw},
    {32, "AUTOTIMESTAMP", 8, kRaw},
    {33, "TYPE33", 0, kRaw},
    {34, "TIMESTAMP2", 8, kRaw},
    {35, "TYPE35", 0, kRaw},
    {36, "CONSTRAINT", 0, kRaw},
    {37, "INDEXDEF", 0, kRaw},
}};

}  // namespace

const TypeInfo* FindTypeKeyword(std::string_view word) {
  for (const TypeInfo& type : kTypeTable) {
    std::string_view keyword = type.keyword;
    if (keyword.size() == word.size() && strncasecmp(keyword.data(), word.data(), word.size()) == 0) {
      return &type;
    }
  }
  return nullptr;
}

TypeInfo DescribeType(int code) {
  if (code >= 0 && code < static_cast<int>(kTypeTable.size())) return kTypeTable[code];
  return TypeInfo{code, nullptr, 0, kRaw};
}

bool IsStringType(int code) { return code == 0 || code == 10 || code == 11 || code == 25 || code == 26; }

}  // namespace mkdict
