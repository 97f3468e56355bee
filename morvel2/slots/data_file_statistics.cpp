#include "slots/data_file_statistics.h"

#include <cstring>

#include "morvel2/common/text_helpers.h"
#include "run_context.h"

void ClearStatisticsRead(StatisticsRecord* record) { std::memset(record->bytes, 0, kStatisticsBytesRead); }

void ReadDataFileStatistics(RunContext* run, char* location, StatisticsRecord* record) {
  if (!run->options.fileInformation) {
    MarkStatisticsUnavailable(record);
    return;
  }
  int status = OpenDataFile(run, kDataFileSlot, location);
  if (status == RECMGR_STATUS_SUCCESS)
    status = StatDataFile(run, kDataFileSlot, record, kStatisticsRecordSize);
  CloseSlot(run, kDataFileSlot);
  if (status != RECMGR_STATUS_SUCCESS) MarkStatisticsUnavailable(record);
}

int OpenDataFile(RunContext* run, int slotNumber, char* location) {
  TrimTrailingSpaces(location);
  DataFileBuffers& buffers = run->dataFile;
  RequestSlot& slot = run->slots.slot[slotNumber];
  std::memset(buffers.path, 0, sizeof buffers.path);
  CopyText(buffers.path, location, kSlotKeyBufferSize - 1);
  CopyText(slot.fileName, location, kSlotFileNameSize - 1);
  slot.dataLength = 0;
  buffers.emptyOwnerName[0] = '\0';
  return CallSlotWith(run, slotNumber, RECMGR_OP_OPEN, buffers.emptyOwnerName, buffers.path, 0);
}

int StatDataFile(RunContext* run, int slotNumber, StatisticsRecord* record, int length) {
  ClearStatisticsRead(record);
  run->slots.slot[slotNumber].dataLength = static_cast<uint16_t>(length);
  return CallSlotWith(run, slotNumber, RECMGR_OP_STAT, record->bytes, run->dataFile.statScratch, -1);
}

int CloseSlot(RunContext* run, int slotNumber) {
  run->slots.slot[slotNumber].dataLength = 0;
  unsigned char* scratch = run->dataFile.closeScratch;
  return CallSlotWith(run, slotNumber, RECMGR_OP_CLOSE, scratch, scratch, 0);
}
