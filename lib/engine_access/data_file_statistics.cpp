#include "morvel2/engine_access/data_file_statistics.h"

#include <cstring>

#include "morvel2/common/text_helpers.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"

namespace {

// Program-wide so the slot's pointers stay valid after the call returns.
char gDataFilePath[kKeyBufferSize];
char gEmptyOwnerName[1] = {'\0'};
unsigned char gStatScratch[kKeyBufferSize];
unsigned char gCloseScratch[kKeyBufferSize];

}  // namespace

void ReadDataFileStatistics(char* location, StatisticsRecord* record) {
  if (!gReportOptions.fileInformation) {
    MarkStatisticsUnavailable(record);
    return;
  }
  int status = OpenDataFile(kDataFileSlot, location);
  if (status == RECMGR_STATUS_SUCCESS) status = StatDataFile(kDataFileSlot, record, kStatisticsRecordSize);
  CloseSlot(kDataFileSlot);
  if (status != RECMGR_STATUS_SUCCESS) MarkStatisticsUnavailable(record);
}

int OpenDataFile(int slotNumber, char* location) {
  TrimTrailingSpaces(location);
  RequestSlot& slot = gSlotTable[slotNumber];
  std::memset(gDataFilePath, 0, sizeof gDataFilePath);
  CopyText(gDataFilePath, location, kKeyBufferSize - 1);
  CopyText(slot.fileName, location, kSlotFileNameSize - 1);
  slot.dataLength = 0;
  return CallSlotWith(slotNumber, RECMGR_OP_OPEN, gEmptyOwnerName, gDataFilePath, 0);
}

int StatDataFile(int slotNumber, StatisticsRecord* record, int length) {
  std::memset(record->bytes, 0, sizeof record->bytes);
  gSlotTable[slotNumber].dataLength = static_cast<uint16_t>(length);
  return CallSlotWith(slotNumber, RECMGR_OP_STAT, record->bytes, gStatScratch, -1);
}

int CloseSlot(int slotNumber) {
  gSlotTable[slotNumber].dataLength = 0;
  return CallSlotWith(slotNumber, RECMGR_OP_CLOSE, gCloseScratch, gCloseScratch, 0);
}
