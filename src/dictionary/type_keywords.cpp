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

}  // namespace

const char* TypeKeyword(int typeCode) {
  if (typeCode < 0 || typeCode >= static_cast<int>(kKeywords.size())) return nullptr;
  return kKeywords[static_cast<size_t>(typeCode)];
}
