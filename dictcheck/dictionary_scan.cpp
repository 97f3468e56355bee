#include "dictionary_scan.h"

#include <climits>
#include <cstring>

#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/engine_access/request_slot.h"

namespace dictcheck {
namespace {

// Program-wide so that the slots' pointers stay valid for Get Next.
unsigned char gTableKey[kKeyBufferSize];
unsigned char gColumnKey[kKeyBufferSize];
unsigned char gSegmentKey[kKeyBufferSize];
unsigned char gFieldIdKey[kKeyBufferSize];
FileRecord gTableRecord;
FieldRecord gColumnRecord;
IndexRecord gSegmentRecord;
FieldRecord gLookupRecord;

// Trailing spaces dropped as the report drops them: a text of spaces only
// keeps one.
std::string StoredText(const char* field, int width) {
  char text[kLocationWidth + 1];
  CopyFixedText(text, field, width);
  TrimTrailingSpaces(text);
  return text;
}

bool IsColumn(const FieldRecord& record) {
  return record.typeCode != kTypeConstraint && record.typeCode != kTypeIndexName;
}

// End of file ends a scan normally.
int ScanStatus(int status) { return status == RECMGR_STATUS_END_OF_FILE ? RECMGR_STATUS_SUCCESS : status; }

}  // namespace

int ReadTables(std::vector<Table>* tables) {
  int status =
      CallSlotWith(kFileDictionarySlot, RECMGR_OP_GET_FIRST, &gTableRecord, gTableKey, kFileKeyTableName);
  while (status == RECMGR_STATUS_SUCCESS) {
    tables->push_back({gTableRecord.tableId, StoredText(gTableRecord.name, kNameWidth),
                       StoredText(gTableRecord.location, kLocationWidth)});
    status = CallSlotNext(kFileDictionarySlot);
  }
  return ScanStatus(status);
}

int ReadColumns(int32_t tableId, std::vector<Column>* columns) {
  SetNumberKey(gColumnKey, tableId);
  int status = CallSlotWith(kFieldDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL, &gColumnRecord, gColumnKey,
                            kFieldKeyTableId);
  while (status == RECMGR_STATUS_SUCCESS && gColumnRecord.tableId == tableId) {
    if (IsColumn(gColumnRecord))
      columns->push_back({gColumnRecord.fieldId, StoredText(gColumnRecord.name, kNameWidth),
                          gColumnRecord.offset, gColumnRecord.size});
    status = CallSlotNext(kFieldDictionarySlot);
  }
  return ScanStatus(status);
}

int ReadSegments(int32_t tableId, std::vector<Segment>* segments) {
  // Key 2 from the lowest index and segment numbers: the report starts at
  // 0 and 0, so it never sees negative ones, which this check must.
  SetNumberKey(gSegmentKey, tableId);
  const int32_t lowest[2] = {INT32_MIN, INT32_MIN};  // index number, segment number
  std::memcpy(gSegmentKey + sizeof tableId, lowest, sizeof lowest);
  int status = CallSlotWith(kIndexDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL, &gSegmentRecord,
                            gSegmentKey, kIndexKeyTableSegment);
  while (status == RECMGR_STATUS_SUCCESS && gSegmentRecord.tableId == tableId) {
    segments->push_back({gSegmentRecord.fieldId, gSegmentRecord.indexNumber, gSegmentRecord.segmentNumber,
                         gSegmentRecord.flags});
    status = CallSlotNext(kIndexDictionarySlot);
  }
  return ScanStatus(status);
}

int LookUpField(int32_t fieldId, int32_t tableId, FieldLookup* result) {
  SetNumberKey(gFieldIdKey, fieldId);
  const int status =
      CallSlotWith(kFieldDictionarySlot, RECMGR_OP_GET_EQUAL, &gLookupRecord, gFieldIdKey, kFieldKeyFieldId);
  if (status == RECMGR_STATUS_KEY_NOT_FOUND) {
    *result = FieldLookup::kMissing;
    return RECMGR_STATUS_SUCCESS;
  }
  if (status != RECMGR_STATUS_SUCCESS) return status;
  *result = gLookupRecord.tableId != tableId ? FieldLookup::kOtherTable : FieldLookup::kNotAColumn;
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace dictcheck
