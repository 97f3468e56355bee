#include "morvel2/dictionary/dictionary_files.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "morvel2/common/text_helpers.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"

char gMasterPassword[kMasterPasswordLength + 1];
FileRecord gFileRecordBuffer;
FieldRecord gFieldRecordBuffer;

namespace {

// The index record buffer serves only the open of PVINDEX.DDF; it is wide
// enough for the longest owner name and its terminator, which the 20-byte
// record alone is not.
union IndexOpenBuffer {
  IndexRecord record;
  char ownerName[kMasterPasswordLength + 1];
};
IndexOpenBuffer gIndexRecordBuffer;

int OpenDictionary(int slotNumber, const char* fileName, void* recordBuffer, int recordLength) {
  RequestSlot& slot = gSlotTable[slotNumber];
  CopyText(slot.fileName, fileName, kSlotFileNameSize - 1);
  std::strcpy(static_cast<char*>(recordBuffer), gMasterPassword);
  slot.dataLength = static_cast<uint16_t>(recordLength);
  return CallSlotWith(slotNumber, RECMGR_OP_OPEN, recordBuffer, slot.fileName, 0);
}

}  // namespace

int OpenDictionaries() {
  if (gMasterPassword[0] == '\0') CopyText(gMasterPassword, kDefaultOwnerName, kMasterPasswordLength);
  if (gReportOptions.trace) std::printf("Opening Data Dictionaries\n");

  int status = OpenDictionary(kFileDictionarySlot, kFileDictionaryName, &gFileRecordBuffer, kFileRecordSize);
  if (status == RECMGR_STATUS_SUCCESS)
    status =
        OpenDictionary(kFieldDictionarySlot, kFieldDictionaryName, &gFieldRecordBuffer, kFieldRecordSize);
  if (status == RECMGR_STATUS_SUCCESS)
    status =
        OpenDictionary(kIndexDictionarySlot, kIndexDictionaryName, &gIndexRecordBuffer, kIndexRecordSize);

  if (gReportOptions.trace) std::printf("Data Dictionaries Opened: %d\n", status);
  if (status == RECMGR_STATUS_FILE_NOT_FOUND && !gReportOptions.quietCalls)
    std::fputs("<File Not Found> when accessing the dictionary.\nAre you in the folder with your DDFs?\n",
               stderr);
  return status;
}

int CloseDictionaries() {
  if (gReportOptions.trace) std::printf("Closing Data Dictionaries\n");
  // Only the operation changes: the Close needs just the position block.
  for (int slotNumber : {kFileDictionarySlot, kFieldDictionarySlot, kIndexDictionarySlot}) {
    gSlotTable[slotNumber].operation = RECMGR_OP_CLOSE;
    CallSlot(slotNumber);
  }
  if (gReportOptions.trace) std::printf("Data Dictionaries Closed\n");
  return 0;
}
