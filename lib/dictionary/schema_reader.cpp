#include "morvel2/dictionary/schema_reader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <unordered_set>
#include <utility>

#include "morvel2/engine_access/recmgr_file.h"
#include "morvel2/engine_access/statistics_record.h"

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

#pragma pack(push, 1)
// The search values of field key 4 and index key 2.
struct FieldKey {
  int32_t tableId;
  int32_t offset;
  int16_t decimals;
};
struct SegmentKey {
  int32_t tableId;
  int32_t indexNumber;
  int32_t segmentNumber;
};
#pragma pack(pop)

}  // namespace

const FieldRecord* FindColumn(const TableSchema& table, int32_t fieldId) {
  for (const FieldRecord& column : table.columns)
    if (column.fieldId == fieldId) return &column;
  return nullptr;
}

int DictionaryReader::Open(const std::string& ownerName, std::string* failedFile) {
  const char* const names[3] = {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName};
  for (int i = 0; i < 3; ++i) {
    const int status = files_[i].Open(names[i], ownerName);
    if (status != RECMGR_STATUS_SUCCESS) {
      *failedFile = names[i];
      return status;
    }
  }
  return 0;
}

int DictionaryReader::ReadTables(std::vector<TableSchema>* tables) {
  tables->clear();
  // Room for every file record at once: growing the list a step at a time
  // copies it into new memory each step, and a page of new memory costs
  // more to touch than a record does to read.
  auto statistics = std::make_unique<StatisticsRecord>();
  if (files_[0].Stat(statistics.get()) == RECMGR_STATUS_SUCCESS) {
    constexpr uint32_t kMostReserved = 1 << 16;  // a larger count may be damage: the list grows past it
    const uint32_t records = StatRecordCount(*statistics);
    if (records != kRecordCountUnavailable) tables->reserve(std::min(records, kMostReserved));
  }
  std::unordered_set<int32_t> seen;
  return WalkFile<FileRecord>(files_[0], kFileKeyTableName, [&](const FileRecord& record) {
    if (!seen.insert(record.tableId).second) return;
    TableSchema& table = tables->emplace_back();
    table.file = record;
    table.name = TrimmedFixedText(record.name, kNameWidth);
    table.location = TrimmedFixedText(record.location, kLocationWidth);
  });
}

int DictionaryReader::ReadDetails(TableSchema* table, std::string* failedFile) {
  const int32_t tableId = table->file.tableId;
  table->columns.clear();
  table->indexes.clear();
  table->constraints.clear();

  // Key 4 from the lowest offset and decimal places: every field record of
  // the table, in offset order.
  FieldKey fieldKey{tableId, INT32_MIN, INT16_MIN};
  std::vector<FieldRecord> indexNames;
  FieldRecord field{};
  uint32_t length = 0;
  int status = files_[1].GetGreaterOrEqual(kFieldKeyTableOffset, &fieldKey, sizeof fieldKey, &field,
                                           sizeof field, &length);
  while (status == RECMGR_STATUS_SUCCESS && field.tableId == tableId) {
    if (length == sizeof field) {  // else not of this layout: passed over
      if (field.typeCode == kTypeIndexName)
        indexNames.push_back(field);
      else if (field.typeCode == kTypeConstraint)
        table->constraints.push_back(field);
      else
        table->columns.push_back(field);
    }
    status = files_[1].GetNext(&field, sizeof field, &length);
  }
  if (status != RECMGR_STATUS_SUCCESS && status != RECMGR_STATUS_END_OF_FILE) {
    *failedFile = kFieldDictionaryName;
    return status;
  }

  SegmentKey segmentKey{tableId, INT32_MIN, INT32_MIN};
  IndexRecord segment{};
  status = files_[2].GetGreaterOrEqual(kIndexKeyTableSegment, &segmentKey, sizeof segmentKey, &segment,
                                       sizeof segment, &length);
  while (status == RECMGR_STATUS_SUCCESS && segment.tableId == tableId) {
    if (length == sizeof segment) {
      std::vector<IndexSchema>& indexes = table->indexes;
      if (indexes.empty() || indexes.back().number != segment.indexNumber) {
        IndexSchema index;
        index.number = segment.indexNumber;
        indexes.push_back(std::move(index));
      }
      indexes.back().segments.push_back(segment);
    }
    status = files_[2].GetNext(&segment, sizeof segment, &length);
  }
  if (status != RECMGR_STATUS_SUCCESS && status != RECMGR_STATUS_END_OF_FILE) {
    *failedFile = kIndexDictionaryName;
    return status;
  }

  for (const FieldRecord& record : indexNames) {
    std::vector<IndexSchema>& indexes = table->indexes;
    const int32_t number = record.offset;  // a copy: the packed record's field may sit at any address
    auto index = std::find_if(indexes.begin(), indexes.end(),
                              [&](const IndexSchema& i) { return i.number == number; });
    if (index == indexes.end()) {
      // A name without segments: kept, so that a reader can tell.
      IndexSchema named;
      named.number = number;
      index = indexes.insert(std::upper_bound(indexes.begin(), indexes.end(), number,
                                              [](int32_t n, const IndexSchema& i) { return n < i.number; }),
                             std::move(named));
    }
    if (!index->name.empty()) continue;
    index->name = TrimmedFixedText(record.name, kNameWidth);
    index->nameFieldId = record.fieldId;
  }
  return 0;
}

int ReadDictionarySchema(const std::string& ownerName, DictionarySchema* schema, std::string* failedFile) {
  DictionaryReader reader;
  int status = reader.Open(ownerName, failedFile);
  if (status == 0) status = reader.ReadTables(&schema->tables);
  if (status != 0) {
    if (failedFile->empty()) *failedFile = kFileDictionaryName;
    return status;
  }
  for (TableSchema& table : schema->tables) {
    status = reader.ReadDetails(&table, failedFile);
    if (status != 0) return status;
  }
  return 0;
}
