#include "morvel2/dictionary/schema_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "morvel2/recmgr/recmgr_file.h"

namespace {

// Walks one dictionary file in the order of `keyNumber`, handing each
// record of exactly `size` bytes to `take`; records of another length are
// not of this layout and are passed over. Returns 0 at the end, or the
// status that stopped the walk.
template <typename Record, typename Take>
int WalkFile(RecmgrFile& file, int keyNumber, Take take) {
  Record record{};
  uint32_t length = 0;
  int status = file.GetFirst(keyNumber, &record, sizeof record, &length);
  while (status == RECMGR_STATUS_SUCCESS) {
    if (length == sizeof record) take(record);
    status = file.GetNext(&record, sizeof record, &length);
  }
  return status == RECMGR_STATUS_END_OF_FILE ? 0 : status;
}

}  // namespace

std::string TrimmedFixedText(const char* field, int width) {
  int length = 0;
  while (length < width && field[length] != '\0') ++length;
  while (length > 0 && field[length - 1] == ' ') --length;
  return std::string(field, static_cast<size_t>(length));
}

bool IsSystemTableName(const std::string& name) {
  return name.size() >= 2 && (name[0] == 'X' || name[0] == 'x') && name[1] == '$';
}

int ReadDictionarySchema(const std::string& ownerName, DictionarySchema* schema, std::string* failedFile) {
  RecmgrFile files[3];
  const char* const names[3] = {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName};
  for (int i = 0; i < 3; ++i) {
    const int status = files[i].Open(names[i], ownerName);
    if (status != RECMGR_STATUS_SUCCESS) {
      *failedFile = names[i];
      return status;
    }
  }

  schema->tables.clear();
  schema->fieldsById.clear();
  std::unordered_map<int32_t, size_t> tableById;
  int status = WalkFile<FileRecord>(files[0], kFileKeyTableName, [&](const FileRecord& record) {
    if (tableById.contains(record.tableId)) return;
    tableById[record.tableId] = schema->tables.size();
    TableSchema& table = schema->tables.emplace_back();
    table.file = record;
    table.name = TrimmedFixedText(record.name, kNameWidth);
    table.location = TrimmedFixedText(record.location, kLocationWidth);
  });
  if (status != 0) {
    *failedFile = names[0];
    return status;
  }

  // Index names first, so that the segments can join them.
  std::vector<FieldRecord> indexNames;
  status = WalkFile<FieldRecord>(files[1], kFieldKeyTableOffset, [&](const FieldRecord& record) {
    schema->fieldsById.emplace(record.fieldId, record);
    const auto table = tableById.find(record.tableId);
    if (table == tableById.end()) return;
    TableSchema& owner = schema->tables[table->second];
    if (record.typeCode == kTypeIndexName)
      indexNames.push_back(record);
    else if (record.typeCode == kTypeConstraint)
      owner.constraints.push_back(record);
    else
      owner.columns.push_back(record);
  });
  if (status != 0) {
    *failedFile = names[1];
    return status;
  }

  status = WalkFile<IndexRecord>(files[2], kIndexKeyTableSegment, [&](const IndexRecord& record) {
    const auto table = tableById.find(record.tableId);
    if (table == tableById.end()) return;
    std::vector<IndexSchema>& indexes = schema->tables[table->second].indexes;
    if (indexes.empty() || indexes.back().number != record.indexNumber) {
      IndexSchema index;
      index.number = record.indexNumber;
      indexes.push_back(std::move(index));
    }
    indexes.back().segments.push_back(record);
  });
  if (status != 0) {
    *failedFile = names[2];
    return status;
  }

  for (const FieldRecord& record : indexNames) {
    std::vector<IndexSchema>& indexes = schema->tables[tableById[record.tableId]].indexes;
    auto index = std::find_if(indexes.begin(), indexes.end(),
                              [&](const IndexSchema& i) { return i.number == record.offset; });
    if (index == indexes.end()) {
      // A name without segments: kept, so that a reader can tell.
      IndexSchema named;
      named.number = record.offset;
      index = indexes.insert(std::upper_bound(indexes.begin(), indexes.end(), record.offset,
                                              [](int32_t n, const IndexSchema& i) { return n < i.number; }),
                             std::move(named));
    }
    if (!index->name.empty()) continue;
    index->name = TrimmedFixedText(record.name, kNameWidth);
    index->nameFieldId = record.fieldId;
  }
  return 0;
}
