#include "dictionary/table_collection.h"

#include <cstdio>
#include <cstring>

#include "cli/report_error.h"
#include "dictionary/table_lookup.h"
#include "morvel2/dictionary/type_name_table.h"
#include "run_context.h"

namespace {

constexpr const char* kArrayFullWarning = "Buffer not Large Enough, Call Quolvane Software!\a\a\n";

// Reads the field with this id into the segment-field buffer.
int ReadFieldById(RunContext* run, int32_t fieldId) {
  DictionaryBuffers& buffers = run->dictionary;
  SetNumberKey(buffers.fieldIdKey, fieldId);
  return CallSlotWith(run, kFieldDictionarySlot, RECMGR_OP_GET_EQUAL, &buffers.segmentField,
                      buffers.fieldIdKey, kFieldKeyFieldId);
}

}  // namespace

int GetFields(RunContext* run, const char* name, FieldRecord* fields, int* count) {
  int status = GetFileRecord(run, name);
  if (run->options.trace) std::printf("GetFileRecord Returned %d with <%s>\n", status, name);

  DictionaryBuffers& buffers = run->dictionary;
  const FieldRecord& record = buffers.fieldRecord;
  const int32_t tableId = buffers.fileRecord.tableId;
  *count = 0;
  // Key 4: table id, offset 0, decimal places 0.
  SetNumberKey(buffers.fieldScanKey, tableId);
  status = CallSlotWith(run, kFieldDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL, &buffers.fieldRecord,
                        buffers.fieldScanKey, kFieldKeyTableOffset);
  while (status == RECMGR_STATUS_SUCCESS) {
    if (record.tableId != tableId) break;
    if (*count == kMaxFields) break;
    if (record.typeCode != kTypeConstraint && record.typeCode != kTypeIndexName) fields[(*count)++] = record;
    status = CallSlotNext(run, kFieldDictionarySlot);
  }
  if (*count >= kMaxFields) PrintFailure(run, "%s", kArrayFullWarning);
  return 0;
}

int GetIndex(RunContext* run, const char* name, SegmentEntry* segments, int* count) {
  GetFileRecord(run, name);

  DictionaryBuffers& buffers = run->dictionary;
  const IndexRecord& record = buffers.segmentRecord;
  const int32_t tableId = buffers.fileRecord.tableId;
  *count = 0;
  // Key 2: table id, index number 0, segment number 0.
  SetNumberKey(buffers.segmentScanKey, tableId);
  int status = CallSlotWith(run, kIndexDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL, &buffers.segmentRecord,
                            buffers.segmentScanKey, kIndexKeyTableSegment);
  while (status == RECMGR_STATUS_SUCCESS) {
    // The record manager returns the found record's key: its table id first.
    int32_t keyTableId;
    std::memcpy(&keyTableId, buffers.segmentScanKey, sizeof keyTableId);
    if (keyTableId != tableId) break;
    if (*count == kMaxSegments) break;

    SegmentEntry& entry = segments[*count];
    entry.indexNumber = record.indexNumber;
    entry.segmentNumber = record.segmentNumber;
    entry.flags = record.flags;
    entry.uniqueValues = kUniqueValuesUnknown;
    int fieldStatus = ReadFieldById(run, record.fieldId);
    if (fieldStatus != RECMGR_STATUS_SUCCESS) {
      std::memset(entry.fieldName, 0, sizeof entry.fieldName);
      std::snprintf(entry.fieldName, sizeof entry.fieldName, "FieldReadError %d", fieldStatus);
    } else {
      const FieldRecord& field = buffers.segmentField;
      std::memcpy(entry.fieldName, field.name, kNameWidth);
      // Wraps rather than overflows for a hostile segment number.
      if (IsStringType(field.typeCode))
        entry.segmentNumber =
            static_cast<int32_t>(static_cast<uint32_t>(entry.segmentNumber) + kStringSegmentMarker);
    }
    ++*count;

    status = CallSlotNext(run, kIndexDictionarySlot);
  }
  if (*count >= kMaxSegments) PrintFailure(run, "%s", kArrayFullWarning);
  return 0;
}
