#include "dictionary_model.h"

#include "morvel2/common/text_helpers.h"

namespace dictcheck {

std::string StoredText(const char* field, int width) {
  char text[kLocationWidth + 1];
  CopyFixedText(text, field, width);
  TrimTrailingSpaces(text);
  return text;
}

DictionaryModel::DictionaryModel(const DictionaryRecords& records) {
  for (const FileRecord& record : records.tables)
    tables_.push_back({record.tableId, StoredText(record.name, kNameWidth),
                       StoredText(record.location, kLocationWidth), &record});
  // Ids copied out of the packed records before use as keys: a reference
  // to a packed member may be misaligned.
  for (const FieldRecord& field : records.fields) {
    const int32_t tableId = field.tableId, fieldId = field.fieldId;
    fieldsByTable_[tableId].push_back(&field);
    fieldById_.emplace(fieldId, &field);
  }
  for (const IndexRecord& segment : records.segments) {
    const int32_t tableId = segment.tableId;
    segmentsByTable_[tableId].push_back(&segment);
  }
}

std::vector<Column> DictionaryModel::ColumnsOf(int32_t tableId) const {
  std::vector<Column> columns;
  auto found = fieldsByTable_.find(tableId);
  if (found == fieldsByTable_.end()) return columns;
  for (const FieldRecord* field : found->second)
    if (field->typeCode != kTypeConstraint && field->typeCode != kTypeIndexName)
      columns.push_back({field->fieldId, StoredText(field->name, kNameWidth), field->offset, field->size});
  return columns;
}

std::vector<Segment> DictionaryModel::SegmentsOf(int32_t tableId) const {
  std::vector<Segment> segments;
  auto found = segmentsByTable_.find(tableId);
  if (found == segmentsByTable_.end()) return segments;
  for (const IndexRecord* segment : found->second)
    segments.push_back({segment->fieldId, segment->indexNumber, segment->segmentNumber, segment->flags});
  return segments;
}

FieldLookup DictionaryModel::LookUpField(int32_t fieldId, int32_t tableId) const {
  auto found = fieldById_.find(fieldId);
  if (found == fieldById_.end()) return FieldLookup::kMissing;
  return found->second->tableId != tableId ? FieldLookup::kOtherTable : FieldLookup::kNotAColumn;
}

}  // namespace dictcheck
