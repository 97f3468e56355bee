// Request slots with program-wide state: kept only for dictcheck's scan of
// the dictionary until it reads through RecmgrFile; nothing else may use
// them (the report has its own slots, in a run context, in morvel2/slots).
// The inline namespace keeps their names apart from the report's.
#ifndef MORVEL2_ENGINE_ACCESS_REQUEST_SLOT_H
#define MORVEL2_ENGINE_ACCESS_REQUEST_SLOT_H

#include <cstdint>

#include "recmgr/recmgr.h"

// Every key buffer handed to the record manager has this size: it may write
// any key of up to 255 bytes back.
constexpr int kKeyBufferSize = 256;
constexpr uint8_t kKeyLength = 255;

inline namespace dictcheck_compat {

constexpr int kSlotFileNameSize = 256;

struct RequestSlot {
  uint16_t operation;
  unsigned char positionBlock[RECMGR_POSITION_BLOCK_SIZE];
  void* dataBuffer;
  uint16_t dataLength;
  void* keyBuffer;
  int16_t keyNumber;
  char fileName[kSlotFileNameSize];
};

constexpr int kSlotCount = 26;
constexpr int kFileDictionarySlot = 1;
constexpr int kFieldDictionarySlot = 2;
constexpr int kIndexDictionarySlot = 3;
constexpr int kDataFileSlot = 10;

extern RequestSlot gSlotTable[kSlotCount];

void ResetSlotTable();

// Issues the slot's operation; prints nothing under gReportOptions.quietCalls.
int CallSlot(int slotNumber);
int CallSlotWith(int slotNumber, uint16_t operation, void* dataBuffer, void* keyBuffer, int16_t keyNumber);
int CallSlotNext(int slotNumber);
void SetNumberKey(unsigned char* keyBuffer, int32_t number);

}  // namespace dictcheck_compat

#endif  // MORVEL2_ENGINE_ACCESS_REQUEST_SLOT_H
