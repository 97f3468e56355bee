#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/report_error.h"
#include "morvel2/engine_access/recmgr_loader.h"
#include "run_context.h"
#include "slots/request_slot.h"

void ResetSlotTable(SlotTable* slots) {
  std::memset(slots->slot, 0, sizeof slots->slot);
  slots->entry = nullptr;
}

int CallSlotWith(RunContext* run, int slotNumber, uint16_t operation, void* dataBuffer, void* keyBuffer,
                 int16_t keyNumber) {
  RequestSlot& slot = run->slots.slot[slotNumber];
  slot.operation = operation;
  slot.dataBuffer = dataBuffer;
  slot.keyBuffer = keyBuffer;
  slot.keyNumber = keyNumber;
  return CallSlot(run, slotNumber);
}

int CallSlotNext(RunContext* run, int slotNumber) {
  run->slots.slot[slotNumber].operation = RECMGR_OP_GET_NEXT;
  return CallSlot(run, slotNumber);
}

void SetNumberKey(unsigned char* keyBuffer, int32_t number) {
  std::memset(keyBuffer, 0, kSlotKeyBufferSize);
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

int CallSlot(RunContext* run, int slotNumber) {
  RequestSlot& slot = run->slots.slot[slotNumber];
  const CallPolicy& policy = run->slots.policy;
  if (policy.trace)
    std::printf("Op: %d, Buflen: %d, KeyNum: %d ", slot.operation, slot.dataLength, slot.keyNumber);

  uint32_t length = slot.dataLength;
  // The entry is looked up once: a report makes hundreds of thousands of calls.
  SlotTable& slots = run->slots;
  if (slots.entry == nullptr) slots.entry = RecordManagerEntry();
  int status = slots.entry == nullptr
                   ? int{RECMGR_STATUS_NOT_LOADED}
                   : slots.entry(slot.operation, slot.positionBlock, slot.dataBuffer, &length, slot.keyBuffer,
                                 kSlotKeyLength, static_cast<int8_t>(slot.keyNumber));
  slot.dataLength = static_cast<uint16_t>(length);

  if (policy.trace) std::printf("Status: %d\n", status);

  if (policy.quiet) return status;
  if (status == RECMGR_STATUS_NOT_LOADED) {
    PrintFailure(run, "Please load the Record Manager\n");
    std::exit(1);
  }
  if (!IsSilentStatus(status))
    PrintFailure(run, "Record Manager Error %d: Operation=%d, File=%s\n", status, slot.operation,
                 slot.fileName);
  return status;
}
