#include "data_file_keys.h"

#include "morvel2/dictionary/column_types.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "value_encoding.h"

namespace mkdict {
namespace {

bool IsStringClass(ValueClass valueClass) {
  return valueClass == ValueClass::kPaddedString || valueClass == ValueClass::kLengthString ||
         valueClass == ValueClass::kZeroString || valueClass == ValueClass::kWideString ||
         valueClass == ValueClass::kWideZeroString;
}

bool AllowsDuplicates(const Index& index) { return (index.segments.front().flags & kSegmentDuplicates) != 0; }

}  // namespace

bool IsDataFileKey(const Index& index) { return index.number >= 0 && index.number <= 127; }

recmgr::SegmentType SegmentTypeFor(const Column& column, uint32_t segmentFlags) {
  ValueClass valueClass = DescribeColumnType(column.typeCode).valueClass;
  bool integerSize = column.size == 1 || column.size == 2 || column.size == 4 || column.size == 8;
  if (valueClass == ValueClass::kSignedInteger && integerSize) {
    return recmgr::SegmentType::kSignedInteger;
  }
  bool isUnsigned = valueClass == ValueClass::kUnsignedInteger || valueClass == ValueClass::kLogical;
  if (isUnsigned && integerSize) {
    return recmgr::SegmentType::kUnsignedInteger;
  }
  if (IsStringClass(valueClass) && (segmentFlags & kSegmentCaseInsensitive) != 0) {
    return recmgr::SegmentType::kCaseInsensitiveString;
  }
  return recmgr::SegmentType::kString;
}

std::vector<recmgr::KeySpec> DataFileKeys(const Table& table) {
  std::vector<recmgr::KeySpec> keys;
  for (const Index& index : table.indexes) {
    if (!IsDataFileKey(index)) continue;
    recmgr::KeySpec key;
    key.number = static_cast<uint8_t>(index.number);
    key.duplicates = AllowsDuplicates(index);
    for (const Segment& segment : index.segments) {
      const Column& column = table.columns[segment.column];
      recmgr::KeySegment part;
      part.offset = static_cast<uint16_t>(column.offset);
      part.length = static_cast<uint16_t>(column.size);
      part.type = SegmentTypeFor(column, segment.flags);
      part.descending = (segment.flags & kSegmentDescending) != 0;
      key.segments.push_back(part);
    }
    keys.push_back(std::move(key));
  }
  return keys;
}

}  // namespace mkdict
