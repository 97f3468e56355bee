// The helpers every writer shares for one column of one record.
#include <algorithm>
#include <cstdio>

#include "dump_writer.h"
#include "morvel2/dictionary/null_indicator.h"

namespace dictdump {

std::pair<size_t, size_t> ColumnBounds(const TableDump& table, size_t column) {
  const FieldRecord& field = table.schema->columns[column];
  const uint64_t length = RecordLength(*table.data);
  const uint64_t begin = std::min<uint64_t>(static_cast<uint32_t>(field.offset), length);
  const uint64_t end = std::min<uint64_t>(begin + static_cast<uint32_t>(field.size), length);
  return {static_cast<size_t>(begin), static_cast<size_t>(end - begin)};
}

std::span<const std::byte> ColumnBytes(const TableDump& table, size_t column, const std::byte* record) {
  const auto [offset, length] = ColumnBounds(table, column);
  return {record + offset, length};
}

std::vector<int64_t> NullIndicatorsOf(const TableSchema& table) {
  std::vector<ColumnPlace> places;
  places.reserve(table.columns.size());
  for (const FieldRecord& f : table.columns)
    places.push_back(
        {static_cast<uint32_t>(f.offset), static_cast<uint32_t>(f.size), (f.flags & kFieldNullable) != 0});
  return NullIndicatorOffsets((table.file.flags & kTableNullable) != 0, places);
}

bool NullableColumnIsNull(const TableDump& table, size_t column, const std::byte* record) {
  const int64_t at = column < table.nullIndicators.size() ? table.nullIndicators[column] : kNoNullIndicator;
  // An indicator past a short record reads as none, as ColumnBytes cuts the column.
  const bool inRecord = at != kNoNullIndicator && static_cast<uint64_t>(at) < RecordLength(*table.data);
  return ReadsAsNull(inRecord ? record[at] : std::byte{0}, ColumnBytes(table, column, record));
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
