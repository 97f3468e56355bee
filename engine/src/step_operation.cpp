// Step First and Step Next: records in stored order. The records of a file
// lie in its record pages numbered from 0, so the physical position of a
// record is its record number and a walk reads each record page once,
// whatever the keys say; a damaged page gives status 2 there.
#include <cstring>

#include "byte_order.h"
#include "handle_registry.h"
#include "operations.h"
#include "page_access.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

int16_t Deliver(OpenFile& file, uint32_t recordNumber, void* dataBuffer, uint32_t* dataLength,
                void* keyBuffer, uint8_t keyLength) {
  if (recordNumber >= file.header.recordCount) return RECMGR_STATUS_END_OF_FILE;
  const uint8_t* record = RecordAt(file, recordNumber);
  if (record == nullptr) return RECMGR_STATUS_IO_ERROR;
  std::memcpy(dataBuffer, record, file.header.recordLength);
  *dataLength = file.header.recordLength;
  if (keyBuffer != nullptr && keyLength >= RECMGR_STEP_POSITION_SIZE) {
    format::Store32(static_cast<uint8_t*>(keyBuffer), recordNumber);
  }
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace

int16_t StepOperation(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                      void* keyBuffer, uint8_t keyLength) {
  OpenFile* file = FindOpenFile(positionBlock);
  if (file == nullptr) return RECMGR_STATUS_FILE_NOT_OPEN;
  Position& position = file->position;
  const bool first = operation == RECMGR_OP_STEP_FIRST;
  if (first) position = Position{};
  if (!first && !position.stepping) return RECMGR_STATUS_INVALID_POSITIONING;
  if (dataBuffer == nullptr || dataLength == nullptr || *dataLength < file->header.recordLength) {
    return RECMGR_STATUS_DATA_BUFFER_TOO_SHORT;
  }
  const uint32_t next = first ? 0 : position.record + 1;
  const int16_t status = Deliver(*file, next, dataBuffer, dataLength, keyBuffer, keyLength);
  if (status == RECMGR_STATUS_SUCCESS) {
    position.stepping = true;
    position.record = next;
  }
  return status;
}

}  // namespace recmgr
