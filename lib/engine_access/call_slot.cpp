#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "morvel2/engine_access/recmgr_loader.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"

RequestSlot gSlotTable[kSlotCount];

void ResetSlotTable() { std::memset(gSlotTable, 0, sizeof gSlotTable); }

int CallSlotWith(int slotNumber, uint16_t operation, void* dataBuffer, void* keyBuffer, int16_t keyNumber) {
  RequestSlot& slot = gSlotTable[slotNumber];
  slot.operation = operation;
  slot.dataBuffer = dataBuffer;
  slot.keyBuffer = keyBuffer;
  slot.keyNumber = keyNumber;
  return CallSlot(slotNumber);
}

int CallSlotNext(int slotNumber) {
  gSlotTable[slotNumber].operation = RECMGR_OP_GET_NEXT;
  return CallSlot(slotNumber);
}

void SetNumberKey(unsigned char* keyBuffer, int32_t number) {
  std::memset(keyBuffer, 0, kKeyBufferSize);
  std::memcpy(keyBuffer, &number, sizeof number);
}

namespace {

// Statuses the caller handles on its own, without a message.
bool IsSilentStatus(int status) {
  switch (status) {
    case RECMGR_STATUS_SUCCESS:
    case RECMGR_STATUS_FILE_NOT_OPEN:
    case RECMGR_STATUS_KEY_NOT_FOUND:
    case RECMGR_STATUS_DUPLICATE_KEY:
    case RECMGR_STATUS_END_OF_FILE:
    case RECMGR_STATUS_FILE_NOT_FOUND:
    case RECMGR_STATUS_DATA_BUFFER_TOO_SHORT: return true;
    default: return false;
  }
}

}  // namespace

int CallSlot(int slotNumber) {
  RequestSlot& slot = gSlotTable[slotNumber];
  if (gReportOptions.trace)
    std::printf("Op: %d, Buflen: %d, KeyNum: %d ", slot.operation, slot.dataLength, slot.keyNumber);

  uint32_t length = slot.dataLength;
  int status = CallRecordManager(slot.operation, slot.positionBlock, slot.dataBuffer, &length, slot.keyBuffer,
                                 kKeyLength, static_cast<int8_t>(slot.keyNumber));
  slot.dataLength = static_cast<uint16_t>(length);

  if (gReportOptions.trace) std::printf("Status: %d\n", status);

  if (gReportOptions.quietCalls) return status;
  if (status == RECMGR_STATUS_NOT_LOADED) {
    std::fputs("Please load the Record Manager\n", stderr);
    std::exit(1);
  }
  if (!IsSilentStatus(status))
    std::fprintf(stderr, "Record Manager Error %d: Operation=%d, File=%s\n", status, slot.operation,
                 slot.fileName);
  return status;
}
