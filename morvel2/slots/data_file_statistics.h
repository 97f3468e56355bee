// Statistics of a table's data file: opened in the data-file slot, asked
// for its Stat, and closed again at once.
#ifndef MORVEL2_SLOTS_DATA_FILE_STATISTICS_H
#define MORVEL2_SLOTS_DATA_FILE_STATISTICS_H

#include "morvel2/engine_access/statistics_record.h"
#include "slots/request_slot.h"

// The buffers the data-file slot points at; they live as long as the run,
// so the slot's pointers stay valid after a call returns.
struct DataFileBuffers {
  char path[kSlotKeyBufferSize];
  char emptyOwnerName[1];
  unsigned char statScratch[kSlotKeyBufferSize];
  unsigned char closeScratch[kSlotKeyBufferSize];
};

// The report reads the file entry and the first 119 key entries, nothing
// past them: clearing these bytes before a Stat gives what clearing the
// whole record gives, key entries Stat does not fill reading as zero, at a
// seventeenth of the cost per table.
constexpr int kStatisticsBytesRead =
    RECMGR_STAT_FILE_SPEC_SIZE + kKeySpecificationsRead * RECMGR_STAT_KEY_SPEC_SIZE;
static_assert(kStatisticsBytesRead <= kStatisticsRecordSize);
void ClearStatisticsRead(StatisticsRecord* record);

struct RunContext;

// Fills `record` when file information is wanted, else marks it
// unavailable; also marks it unavailable when the file can't be opened or
// queried. Trims the location's trailing spaces in place.
void ReadDataFileStatistics(RunContext* run, char* location, StatisticsRecord* record);

// Opens the trimmed location without an owner name.
int OpenDataFile(RunContext* run, int slotNumber, char* location);

// Clears what the report reads of the record, then issues Stat with `length` as data length.
int StatDataFile(RunContext* run, int slotNumber, StatisticsRecord* record, int length);

// Closes the slot; its file name stays for later messages.
int CloseSlot(RunContext* run, int slotNumber);

#endif  // MORVEL2_SLOTS_DATA_FILE_STATISTICS_H
