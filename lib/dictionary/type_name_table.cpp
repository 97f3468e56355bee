#include "morvel2/dictionary/type_name_table.h"

#include <cstdio>
#include <cstring>

const char* const TypeNameTable[kTypeNameCount] = {
    "Character", "Integer  ", "Float Pt.", "Date     ", "Time     ", "Decimal  ", "Money    ", "Logical  ",
    "Numeric  ", "BFloat   ", "LString  ", "ZString  ", "Note     ", "LVar     ", "Unsigned ", "Auto Inc ",
    "Bit      ", "NumercSTS", "NumericSA", "Currency ", "Timestamp", "BLOB     ", "GDecimal ", "ConstStrg",
    "Type 24  ", "WString  ", "WZString ", "GUID     ", "NumercSLB", "NumercSLS", "DateTime ", "NumercSTB",
    "ATstamp  ", "Type 33  ", "TimeStmp2", "Type 35  ", "Constrain", "IndexDefn",
};

namespace {

constexpr int kConstraintTypeCode = 227;
constexpr int kIndexNameTypeCode = 255;
constexpr int kConstraintTypeIndex = 36;
constexpr int kIndexNameTypeIndex = 37;

}  // namespace

int TypeIndexOf(int typeCode) {
  if (typeCode == kConstraintTypeCode) return kConstraintTypeIndex;
  if (typeCode == kIndexNameTypeCode) return kIndexNameTypeIndex;
  return typeCode;
}

void FormatTypeName(int typeIndex, char* text) {
  if (typeIndex >= 0 && typeIndex < kTypeNameCount) {
    std::memcpy(text, TypeNameTable[typeIndex], kTypeNameWidth + 1);
    return;
  }
  std::snprintf(text, kTypeNameWidth + 1, "Type %-4d", typeIndex);
}
