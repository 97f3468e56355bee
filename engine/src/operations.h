// The operations behind RecmgrCall, one per file. Each takes the call's
// arguments as RecmgrCall received them and returns its status; none of
// them throws, except std::bad_alloc from Open (a Get without memory for
// the file's page cache gives status 2).
// REQUIRES for all: the caller holds the engine's call lock.
#ifndef RECMGR_SRC_OPERATIONS_H
#define RECMGR_SRC_OPERATIONS_H

#include <cstdint>

namespace recmgr {

// Open: path in keyBuffer (NUL within keyLength bytes), owner name at the
// start of dataBuffer (NUL within 256 bytes; null offers an empty name).
// A block that already holds a live file has that file closed first.
int16_t OpenOperation(void* positionBlock, const void* dataBuffer, const void* keyBuffer, uint8_t keyLength);

// Close: ends the position and releases the file; 3 if the block holds none.
int16_t CloseOperation(void* positionBlock);

// Get Equal, Get Next, Get Greater or Equal and Get First. They allocate
// nothing (the page cache's memory is taken without exceptions).
int16_t GetOperation(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                     void* keyBuffer, uint8_t keyLength, int8_t keyNumber) noexcept;

// Step First and Step Next: records in stored order, whatever the keys.
int16_t StepOperation(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                      void* keyBuffer, uint8_t keyLength);

// Stat: the file entry and key entries into dataBuffer; the path into keyBuffer
// when it fits.
int16_t StatOperation(void* positionBlock, void* dataBuffer, uint32_t* dataLength, void* keyBuffer,
                      uint8_t keyLength);

// Verify (an extension of this engine): reads and checks every page of the
// file and every key's entries; 0 if all is sound, else 2 with the first
// problem as NUL-terminated text in dataBuffer (cut to *dataLength bytes,
// which is set to the bytes written).
int16_t VerifyOperation(void* positionBlock, void* dataBuffer, uint32_t* dataLength);

}  // namespace recmgr

#endif  // RECMGR_SRC_OPERATIONS_H
