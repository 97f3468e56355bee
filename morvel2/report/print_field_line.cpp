#include "morvel2/common/line_text.h"
#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/type_name_table.h"
#include "report/table_report.h"
#include "run_context.h"

namespace {

constexpr int kBlobTypeIndex = 21;

// The Dec/Case column: case handling of string types, the content of a
// BLOB, or the decimal places ("%4d    ") of anything else.
void AddDecimalOrCase(LineText* line, int typeIndex, const FieldRecord& field) {
  if (IsStringType(typeIndex)) {
    AddText(line, (field.flags & kFieldCaseInsensitive) ? "Insenstv" : "Sensitiv");
  } else if (typeIndex == kBlobTypeIndex) {
    AddText(line, (field.flags & kFieldBlobBinary) ? " BINARY " : "  CHAR  ");
  } else {
    AddNumber(line, field.decimals, 4);
    AddText(line, "    ");
  }
}

}  // namespace

void PrintFieldLine(RunContext* run, PrintedTable* table, FieldRecord field) {
  char fieldName[kNameWidth + 1];
  CopyStoredName(fieldName, field.name, kNameWidth);

  if (table->lineCounter == 1) PrintHeader(run, table);

  if (run->options.fields) {
    const int typeIndex = TypeIndexOf(field.typeCode);
    const bool marked = table->nullable && (field.flags & kFieldNullable);
    char typeName[kTypeNameWidth + 1];
    FormatTypeName(typeIndex, typeName);
    // Wider than the stored offset, so that no offset overflows into a sign.
    const long long location = run->options.showPosition ? field.offset + 1LL : field.offset;
    // "%6lld   %c %s%6d %s %s\n": location, marker, type, size, Dec/Case, name.
    LineText line;
    StartLine(&line);
    AddNumber(&line, location, 6);
    AddText(&line, marked ? "   * " : "     ");
    AddText(&line, typeName);
    AddNumber(&line, field.size, 6);
    AddText(&line, " ");
    AddDecimalOrCase(&line, typeIndex, field);
    AddText(&line, " ");
    AddText(&line, fieldName);
    AddText(&line, "\n");
    PrintLine(line);
  }
  ++table->lineCounter;
}
