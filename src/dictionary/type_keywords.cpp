#include "morvel2/dictionary/type_keywords.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<const char*, 38> kKeywords = {
    "CHAR",       "INTEGER",    "FLOAT",       "DATE",       "TIME",          "DECIMAL",  "MONEY",
    "LOGICAL",    "NUMERIC",    "BFLOAT",      "LSTRING",    "ZSTRING",       "NOTE",     "LVAR",
    "UNSIGNED",   "AUTOINC",    "BIT",         "NUMERICSTS", "NUMERICSA",     "CURRENCY", "TIMESTAMP",
    "BLOB",       "GDECIMAL",   "CONSTSTRING", "TYPE24",     "WSTRING",       "WZSTRING", "GUID",
    "NUMERICSLB", "NUMERICSLS", "DATETIME",    "NUMERICSTB", "AUTOTIMESTAMP", "TYPE33",   "TIMESTAMP2",
    "TYPE35",     "CONSTRAINT", "INDEXDEF"};

// The default size of each code that has one (a fixed-width type); 0 for
// the others.
constexpr std::array<int32_t, 38> kDefaultSizes = {0, 4, 8, 4, 4, 0, 0, 1, 0,  8, 0, 0, 0, 0, 4, 4, 1, 0, 0,
                                                   8, 8, 0, 0, 0, 0, 0, 0, 16, 0, 0, 8, 0, 8, 0, 8, 0, 0, 0};

}  // namespace

bool KeywordTakesSize(int typeCode, int32_t size) {
  if (typeCode < 0 || typeCode >= static_cast<int>(kDefaultSizes.size())) return false;
  const int32_t defaultSize = kDefaultSizes[static_cast<size_t>(typeCode)];
  return defaultSize == 0 || defaultSize == size;
}

const char* TypeKeyword(int typeCode) {
  if (typeCode < 0 || typeCode >= static_cast<int>(kKeywords.size())) return nullptr;
  return kKeywords[static_cast<size_t>(typeCode)];
}
