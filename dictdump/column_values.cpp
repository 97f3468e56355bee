// The helpers every writer shares for one column of one record.
#include <algorithm>
#include <cstdio>

#include "dump_writer.h"

namespace dictdump {

std::span<const std::byte> ColumnBytes(const TableDump& table, size_t column, const std::byte* record) {
  const FieldRecord& field = table.schema->columns[column];
  const uint64_t length = RecordLength(*table.data);
  const uint64_t begin = std::min<uint64_t>(static_cast<uint32_t>(field.offset), length);
  const uint64_t end = std::min<uint64_t>(begin + static_cast<uint32_t>(field.size), length);
  return {record + begin, static_cast<size_t>(end - begin)};
}

bool IsNullValue(const ColumnShape& shape, std::span<const std::byte> bytes) {
  if (!(shape.flags & kFieldNullable)) return false;
  return std::all_of(bytes.begin(), bytes.end(), [](std::byte b) { return b == std::byte{0}; });
}

void Warn(const std::string& text) { std::fprintf(stderr, "dictdump: warning: %s\n", text.c_str()); }

}  // namespace dictdump

namespace dictdump {

const ValueText& FormatColumnValue(const ColumnShape& shape, std::span<const std::byte> bytes,
                                   ValueText* value) {
  // A column cut short by the record's end has only its bytes.
  FormatValueTextInto(bytes.size() != shape.size ? ColumnShape{} : shape, bytes, value);
  return *value;
}

}  // namespace dictdump
