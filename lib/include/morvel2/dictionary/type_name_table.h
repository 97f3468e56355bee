// Names of the field data types as the report prints them, each exactly
// nine characters.
#ifndef MORVEL2_DICTIONARY_TYPE_NAME_TABLE_H
#define MORVEL2_DICTIONARY_TYPE_NAME_TABLE_H

constexpr int kTypeNameCount = 38;
constexpr int kTypeNameWidth = 9;

extern const char* const TypeNameTable[kTypeNameCount];

// Type index of a stored type code: the code itself, except the constraint
// (227) and index-name (255) pseudo-types.
int TypeIndexOf(int typeCode);

// The nine-character name of a type index; an index past the table prints
// as "Type " and the code left-aligned in four characters, like the table's
// own unassigned entries. REQUIRES: `text` holds 10 characters.
void FormatTypeName(int typeIndex, char* text);

// String types: their fields print a case column, their index segments a
// case setting.
inline bool IsStringType(int typeCode) {
  return typeCode == 0 || typeCode == 10 || typeCode == 11 || typeCode == 25 || typeCode == 26;
}

#endif  // MORVEL2_DICTIONARY_TYPE_NAME_TABLE_H
