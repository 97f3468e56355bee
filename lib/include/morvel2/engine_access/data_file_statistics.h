// A data file's Stat through the compatibility slots (request_slot.h); goes
// with them.
#ifndef MORVEL2_ENGINE_ACCESS_DATA_FILE_STATISTICS_H
#define MORVEL2_ENGINE_ACCESS_DATA_FILE_STATISTICS_H

#include "morvel2/engine_access/statistics_record.h"

inline namespace dictcheck_compat {

// Opens the trimmed location without an owner name.
int OpenDataFile(int slotNumber, char* location);

// Clears the whole record, then issues Stat with `length` as data length.
int StatDataFile(int slotNumber, StatisticsRecord* record, int length);

// Closes the slot; its file name stays for later messages.
int CloseSlot(int slotNumber);

}  // namespace dictcheck_compat

#endif  // MORVEL2_ENGINE_ACCESS_DATA_FILE_STATISTICS_H
