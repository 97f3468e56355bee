// Get Equal, Get Greater or Equal, Get First and Get Next.
//
// The position is (key, index entry). A positioning Get (Equal, Greater or
// Equal, First) that fails for any reason leaves no current record, so a
// following Get Next gets RECMGR_STATUS_INVALID_POSITIONING. A failed Get
// Next leaves the position where it was. On failure the data buffer, the
// data length and the key buffer are left as they were.
#include <cstring>

#include "byte_order.h"
#include "engine_state.h"
#include "handle_registry.h"
#include "key_compare.h"
#include "key_search.h"
#include "operations.h"
#include "page_access.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

using format::KeyDesc;

// Copies the record of index entry `index` and its key value out. Inlined
// into Get Next, which a report calls hundreds of thousands of times.
[[gnu::always_inline]] inline int16_t Deliver(OpenFile& file, const KeyDesc& key, uint32_t index,
                                              void* dataBuffer, uint32_t* dataLength, void* keyBuffer) {
  const uint8_t* entry = EntryAt(file, key, index);
  if (entry == nullptr) return RECMGR_STATUS_IO_ERROR;
  const uint8_t* record = RecordAt(file, format::Load32(entry + key.length));
  if (record == nullptr) return RECMGR_STATUS_IO_ERROR;
  std::memcpy(dataBuffer, record, file.header.recordLength);
  *dataLength = file.header.recordLength;
  format::ExtractKeyInline(record, file.header.SegmentsOf(key), static_cast<uint8_t*>(keyBuffer));
  return RECMGR_STATUS_SUCCESS;
}

// Statuses 21 and 22 for buffers too small for this key's value or a record.
int16_t CheckBuffers(const OpenFile& file, const KeyDesc& key, const void* dataBuffer,
                     const uint32_t* dataLength, const void* keyBuffer, uint8_t keyLength) {
  if (keyBuffer == nullptr || keyLength < key.length) return RECMGR_STATUS_KEY_BUFFER_TOO_SHORT;
  if (dataBuffer == nullptr || dataLength == nullptr || *dataLength < file.header.recordLength) {
    return RECMGR_STATUS_DATA_BUFFER_TOO_SHORT;
  }
  return RECMGR_STATUS_SUCCESS;
}

int16_t GetNext(OpenFile& file, void* dataBuffer, uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                int8_t keyNumber) {
  Position& position = file.position;
  if (position.keyIndex == kNoKey) return RECMGR_STATUS_INVALID_POSITIONING;
  const KeyDesc& key = file.header.keys[position.keyIndex];
  // Key numbers run from 0 to 127, so the stored one fits a signed byte.
  if (keyNumber != static_cast<int8_t>(key.number)) return RECMGR_STATUS_DIFFERENT_KEY_NUMBER;
  int16_t status = CheckBuffers(file, key, dataBuffer, dataLength, keyBuffer, keyLength);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  if (position.entry + 1 >= file.header.recordCount) return RECMGR_STATUS_END_OF_FILE;
  status = Deliver(file, key, position.entry + 1, dataBuffer, dataLength, keyBuffer);
  if (status == RECMGR_STATUS_SUCCESS) ++position.entry;
  return status;
}

int16_t GetPositioning(uint16_t operation, OpenFile& file, void* dataBuffer, uint32_t* dataLength,
                       void* keyBuffer, uint8_t keyLength, int8_t keyNumber) {
  file.position = Position{};
  if (keyNumber < 0) return RECMGR_STATUS_INVALID_KEY_NUMBER;
  const int keyIndex = file.keyIndexByNumber[keyNumber];
  if (keyIndex == kNoKey) return RECMGR_STATUS_INVALID_KEY_NUMBER;
  const KeyDesc& key = file.header.keys[keyIndex];
  int16_t status = CheckBuffers(file, key, dataBuffer, dataLength, keyBuffer, keyLength);
  if (status != RECMGR_STATUS_SUCCESS) return status;

  uint32_t index = 0;
  if (operation != RECMGR_OP_GET_FIRST) {
    const auto* value = static_cast<const uint8_t*>(keyBuffer);
    status = LowerBound(file, key, value, &index);
    if (status != RECMGR_STATUS_SUCCESS) return status;
    if (operation == RECMGR_OP_GET_EQUAL) {
      if (index == file.header.recordCount) return RECMGR_STATUS_KEY_NOT_FOUND;
      const uint8_t* entry = EntryAt(file, key, index);
      if (entry == nullptr) return RECMGR_STATUS_IO_ERROR;
      if (format::CompareKeys(entry, value, file.header.SegmentsOf(key)) != 0) {
        return RECMGR_STATUS_KEY_NOT_FOUND;
      }
    }
  }
  if (index == file.header.recordCount) return RECMGR_STATUS_END_OF_FILE;
  status = Deliver(file, key, index, dataBuffer, dataLength, keyBuffer);
  if (status == RECMGR_STATUS_SUCCESS) file.position = Position{keyIndex, index};
  return status;
}

}  // namespace

int16_t GetOperation(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                     void* keyBuffer, uint8_t keyLength, int8_t keyNumber) noexcept {
  OpenFile* file = Engine().handles.Find(positionBlock);
  if (file == nullptr) return RECMGR_STATUS_FILE_NOT_OPEN;
  if (operation == RECMGR_OP_GET_NEXT) {
    return GetNext(*file, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
  }
  return GetPositioning(operation, *file, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
}

}  // namespace recmgr
