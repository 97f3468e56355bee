#include "dictionary/dictionary_files.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "cli/report_error.h"
#include "morvel2/common/text_helpers.h"
#include "run_context.h"

namespace {

int OpenDictionary(RunContext* run, int slotNumber, const char* fileName, void* recordBuffer,
                   int recordLength) {
  RequestSlot& slot = run->slots.slot[slotNumber];
  CopyText(slot.fileName, fileName, kSlotFileNameSize - 1);
  std::strcpy(static_cast<char*>(recordBuffer), run->masterPassword);
  slot.dataLength = static_cast<uint16_t>(recordLength);
  return CallSlotWith(run, slotNumber, RECMGR_OP_OPEN, recordBuffer, slot.fileName, 0);
}

}  // namespace

int OpenDictionaries(RunContext* run) {
  if (run->masterPassword[0] == '\0') CopyText(run->masterPassword, kDefaultOwnerName, kMasterPasswordLength);
  if (run->options.trace) std::printf("Opening Data Dictionaries\n");

  DictionaryBuffers& buffers = run->dictionary;
  int status =
      OpenDictionary(run, kFileDictionarySlot, kFileDictionaryName, &buffers.fileRecord, kFileRecordSize);
  if (status == RECMGR_STATUS_SUCCESS)
    status = OpenDictionary(run, kFieldDictionarySlot, kFieldDictionaryName, &buffers.fieldRecord,
                            kFieldRecordSize);
  if (status == RECMGR_STATUS_SUCCESS)
    status = OpenDictionary(run, kIndexDictionarySlot, kIndexDictionaryName, &buffers.indexRecord,
                            kIndexRecordSize);

  if (run->options.trace) std::printf("Data Dictionaries Opened: %d\n", status);
  if (status == RECMGR_STATUS_FILE_NOT_FOUND && !run->slots.policy.quiet)
    PrintFailure(run,
                 "<File Not Found> when accessing the dictionary.\nAre you in the folder with your DDFs?\n");
  return status;
}

int CloseDictionaries(RunContext* run) {
  if (run->options.trace) std::printf("Closing Data Dictionaries\n");
  // Only the operation changes: the Close needs just the position block.
  for (int slotNumber : {kFileDictionarySlot, kFieldDictionarySlot, kIndexDictionarySlot}) {
    run->slots.slot[slotNumber].operation = RECMGR_OP_CLOSE;
    CallSlot(run, slotNumber);
  }
  if (run->options.trace) std::printf("Data Dictionaries Closed\n");
  return 0;
}
