#include "morvel2/dictionary/table_collection.h"

#include <cstdio>
#include <cstring>

#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/dictionary/table_lookup.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"

FieldRecord* gFieldArray;
int gFieldCount;
SegmentEntry* gSegmentArray;
int gSegmentCount;

namespace {

// Program-wide so the slots' pointers stay valid after a scan.
unsigned char gFieldScanKey[kKeyBufferSize];
unsigned char gSegmentScanKey[kKeyBufferSize];
unsigned char gFieldIdKey[kKeyBufferSize];
IndexRecord gSegmentRecord;
FieldRecord gSegmentField;

constexpr const char* kArrayFullWarning = "Buffer not Large Enough, Call Quolvane Software!\a\a\n";

// Reads the field with this id into gSegmentField.
int ReadFieldById(int32_t fieldId) {
  SetNumberKey(gFieldIdKey, fieldId);
  return CallSlotWith(kFieldDictionarySlot, RECMGR_OP_GET_EQUAL, &gSegmentField, gFieldIdKey,
                      kFieldKeyFieldId);
}

}  // namespace

bool IsStringType(int typeCode) {
  return typeCode == 0 || typeCode == 10 || typeCode == 11 || typeCode == 25 || typeCode == 26;
}

int GetFields(const char* name, int* count) {
  int status = GetFileRecord(name);
  if (gReportOptions.trace) std::printf("GetFileRecord Returned %d with <%s>\n", status, name);

  const int32_t tableId = gFileRecordBuffer.tableId;
  *count = 0;
  // Key 4: table id, offset 0, decimal places 0.
  SetNumberKey(gFieldScanKey, tableId);
  status = CallSlotWith(kFieldDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL, &gFieldRecordBuffer,
                        gFieldScanKey, kFieldKeyTableOffset);
  while (status == RECMGR_STATUS_SUCCESS) {
    if (gFieldRecordBuffer.tableId != tableId) break;
    if (*count == kMaxFields) break;
    if (gFieldRecordBuffer.typeCode != kTypeConstraint && gFieldRecordBuffer.typeCode != kTypeIndexName)
      gFieldArray[(*count)++] = gFieldRecordBuffer;
    status = CallSlotNext(kFieldDictionarySlot);
  }
  if (*count >= kMaxFields) std::fputs(kArrayFullWarning, stderr);
  return 0;
}

int GetIndex(const char* name, int* count) {
  GetFileRecord(name);

  const int32_t tableId = gFileRecordBuffer.tableId;
  *count = 0;
  // Key 2: table id, index number 0, segment number 0.
  SetNumberKey(gSegmentScanKey, tableId);
  int status = CallSlotWith(kIndexDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL, &gSegmentRecord,
                            gSegmentScanKey, kIndexKeyTableSegment);
  while (status == RECMGR_STATUS_SUCCESS) {
    // The record manager returns the found record's key: its table id first.
    int32_t keyTableId;
    std::memcpy(&keyTableId, gSegmentScanKey, sizeof keyTableId);
    if (keyTableId != tableId) break;
    if (*count == kMaxSegments) break;

    SegmentEntry& entry = gSegmentArray[*count];
    entry.indexNumber = gSegmentRecord.indexNumber;
    entry.segmentNumber = gSegmentRecord.segmentNumber;
    entry.flags = gSegmentRecord.flags;
    entry.uniqueValues = kUniqueValuesUnknown;
    int fieldStatus = ReadFieldById(gSegmentRecord.fieldId);
    if (fieldStatus != RECMGR_STATUS_SUCCESS) {
      std::memset(entry.fieldName, 0, sizeof entry.fieldName);
      std::snprintf(entry.fieldName, sizeof entry.fieldName, "FieldReadError %d", fieldStatus);
    } else {
      std::memcpy(entry.fieldName, gSegmentField.name, kNameWidth);
      // Wraps rather than overflows for a hostile segment number.
      if (IsStringType(gSegmentField.typeCode))
        entry.segmentNumber =
            static_cast<int32_t>(static_cast<uint32_t>(entry.segmentNumber) + kStringSegmentMarker);
    }
    ++*count;

    status = CallSlotNext(kIndexDictionarySlot);
  }
  if (*count >= kMaxSegments) std::fputs(kArrayFullWarning, stderr);
  return 0;
}
