// The text forms of value_text.h, one family per file: numbers, strings,
// calendar values. Each Parse writes a field that holds zeros and returns
// false with a reason phrase; each Format returns false when the bytes have
// no form of its family (the caller then prints hex).
#ifndef MORVEL2_DICTIONARY_VALUE_FORMS_H
#define MORVEL2_DICTIONARY_VALUE_FORMS_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "morvel2/dictionary/column_types.h"
#include "morvel2/dictionary/value_text.h"

namespace valueforms {

bool ParseNumber(const ColumnType& type, const ColumnShape& shape, const ValueText& value,
                 std::span<std::byte> field, std::string* reason);
bool FormatNumber(const ColumnType& type, const ColumnShape& shape, std::span<const std::byte> bytes,
                  ValueText* value);

bool ParseString(const ColumnType& type, const ValueText& value, std::span<std::byte> field,
                 std::string* reason);
bool FormatString(const ColumnType& type, std::span<const std::byte> bytes, ValueText* value);

bool ParseCalendar(const ColumnType& type, const ValueText& value, std::span<std::byte> field,
                   std::string* reason);
bool FormatCalendar(const ColumnType& type, std::span<const std::byte> bytes, ValueText* value);

// Little-endian integers of 1 to 8 bytes.
uint64_t LoadLittleEndian(std::span<const std::byte> bytes);
void StoreLittleEndian(uint64_t bits, std::span<std::byte> field);

}  // namespace valueforms

#endif  // MORVEL2_DICTIONARY_VALUE_FORMS_H
