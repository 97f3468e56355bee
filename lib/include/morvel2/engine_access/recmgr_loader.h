// Reaches the record manager's call entry in its shared library, loaded by
// the system's dynamic loader at the first call.
#ifndef MORVEL2_ENGINE_ACCESS_RECMGR_LOADER_H
#define MORVEL2_ENGINE_ACCESS_RECMGR_LOADER_H

#include <cstdint>

#include "recmgr/recmgr.h"

// Calls the entry, loading the library first if needed. Returns status 20
// when the library or its entry can't be had.
int16_t CallRecordManager(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                          void* keyBuffer, uint8_t keyLength, int8_t keyNumber);

// The entry, loading the library first if needed; null when the library or
// its entry can't be had. For a caller that makes many calls and keeps it.
RecmgrCallFunction RecordManagerEntry();

// Serves every later call from `entry` instead of the shared library (for
// running the report in-process over another record manager).
void SetRecordManagerEntry(RecmgrCallFunction entry);

#endif  // MORVEL2_ENGINE_ACCESS_RECMGR_LOADER_H
