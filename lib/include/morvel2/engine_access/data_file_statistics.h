// Statistics of a table's data file: opened in the data-file slot, asked
// for its Stat, and closed again at once.
#ifndef MORVEL2_ENGINE_ACCESS_DATA_FILE_STATISTICS_H
#define MORVEL2_ENGINE_ACCESS_DATA_FILE_STATISTICS_H

#include "morvel2/engine_access/statistics_record.h"

// Fills `record` when file information is wanted, else marks it
// unavailable; also marks it unavailable when the file can't be opened or
// queried. Trims the location's trailing spaces in place.
void ReadDataFileStatistics(char* location, StatisticsRecord* record);

// Opens the trimmed location without an owner name.
int OpenDataFile(int slotNumber, char* location);

// Clears the whole record, then issues Stat with `length` as data length.
int StatDataFile(int slotNumber, StatisticsRecord* record, int length);

// Closes the slot; its file name stays for later messages.
int CloseSlot(int slotNumber);

#endif  // MORVEL2_ENGINE_ACCESS_DATA_FILE_STATISTICS_H
