// The request slots of one run: one slot per open file, each carrying the
// arguments of its next record-manager call, and the call path that issues
// them with the run's call policy.
#ifndef MORVEL2_SLOTS_REQUEST_SLOT_H
#define MORVEL2_SLOTS_REQUEST_SLOT_H

#include <cstdint>

#include "recmgr/recmgr.h"

struct RunContext;

// Room for the longest data-file location (250) and its terminator, so error
// messages name the file whole.
constexpr int kSlotFileNameSize = 256;
// Every key buffer handed to the record manager has this size: it may write
// any key of up to 255 bytes back.
constexpr int kSlotKeyBufferSize = 256;
constexpr uint8_t kSlotKeyLength = 255;

struct RequestSlot {
  uint16_t operation;
  unsigned char positionBlock[RECMGR_POSITION_BLOCK_SIZE];
  void* dataBuffer;
  uint16_t dataLength;  // not reset between calls
  void* keyBuffer;
  int16_t keyNumber;  // only the low 8 bits reach the record manager
  char fileName[kSlotFileNameSize];
};

// What the call path prints: the trace of every call (option D), and
// whether statuses are returned without a word (never for the report).
struct CallPolicy {
  bool trace;
  bool quiet;
};

constexpr int kSlotCount = 26;
constexpr int kFileDictionarySlot = 1;
constexpr int kFieldDictionarySlot = 2;
constexpr int kIndexDictionarySlot = 3;
constexpr int kDataFileSlot = 10;

struct SlotTable {
  RequestSlot slot[kSlotCount];
  CallPolicy policy;
  RecmgrCallFunction entry;  // the record manager's, once a call found it
};

// Zeroes every slot and forgets the entry, as at the start of a run; the
// policy stays.
void ResetSlotTable(SlotTable* slots);

// Issues the slot's operation of `run`'s slot table, with the trace and the
// status policy; stores the returned data length back into the slot. A
// status message is a failure of the run (PrintFailure). Status 20 ends the
// program.
int CallSlot(RunContext* run, int slotNumber);

// Sets the slot's operation, buffers and key number and calls it; the data
// length stays as the slot's last call left it.
int CallSlotWith(RunContext* run, int slotNumber, uint16_t operation, void* dataBuffer, void* keyBuffer,
                 int16_t keyNumber);

// Get Next on the slot, with the buffers and key number its last call left.
int CallSlotNext(RunContext* run, int slotNumber);

// Clears a key buffer and puts a 32-bit number (a table or field id) at its
// start: the leading segment of every numeric dictionary key.
void SetNumberKey(unsigned char* keyBuffer, int32_t number);

#endif  // MORVEL2_SLOTS_REQUEST_SLOT_H
