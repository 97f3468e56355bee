#include <cstdio>

#include "common/text_helpers.h"
#include "dictionary/table_collection.h"
#include "recmgr/report_options.h"
#include "report/table_report.h"
#include "report/type_name_table.h"

namespace {

constexpr int kBlobTypeIndex = 21;

// The Dec/Case column: case handling of string types, the content of a
// BLOB, or the decimal places of anything else.
void FormatDecimalOrCase(int typeIndex, const FieldRecord& field, char* text, int size) {
  if (IsStringType(typeIndex))
    std::snprintf(text, size, "%s", (field.flags & kFieldCaseInsensitive) ? "Insenstv" : "Sensitiv");
  else if (typeIndex == kBlobTypeIndex)
    std::snprintf(text, size, "%s", (field.flags & kFieldBlobBinary) ? " BINARY " : "  CHAR  ");
  else
    std::snprintf(text, size, "%4d    ", field.decimals);
}

}  // namespace

void PrintFieldLine(int* lineCounter, const char* name, FieldRecord field, TableInfo* info,
                    const StatisticsRecord& statistics) {
  char fieldName[kNameWidth + 1];
  CopyFixedText(fieldName, field.name, kNameWidth);
  CaretsToSpaces(fieldName);
  TrimTrailingSpaces(fieldName);

  if (*lineCounter == 1) PrintHeader(name, lineCounter, info, statistics);

  if (gReportOptions.fields) {
    const int typeIndex = TypeIndexOf(field.typeCode);
    const char marker = (gReportOptions.tableNullable && (field.flags & kFieldNullable)) ? '*' : ' ';
    char decimalOrCase[16];
    FormatDecimalOrCase(typeIndex, field, decimalOrCase, sizeof decimalOrCase);
    char typeName[kTypeNameWidth + 1];
    FormatTypeName(typeIndex, typeName);
    // Wider than the stored offset, so that no offset overflows into a sign.
    const long long location = gReportOptions.showPosition ? field.offset + 1LL : field.offset;
    std::printf("%6lld   %c %s%6d %s %s", location, marker, typeName, field.size, decimalOrCase, fieldName);
    std::printf("\n");
  }
  ++*lineCounter;
}
