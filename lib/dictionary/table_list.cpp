#include <cstring>

#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/dictionary/table_lookup.h"
#include "morvel2/engine_access/request_slot.h"

char gTableNames[kMaxTableNames][kNameWidth + 1];
int gTableCount;

namespace {

unsigned char gTableScanKey[kKeyBufferSize];

}  // namespace

int LoadTables() {
  gTableCount = 0;
  int status = CallSlotWith(kFileDictionarySlot, RECMGR_OP_GET_FIRST, &gFileRecordBuffer, gTableScanKey,
                            kFileKeyTableName);
  while (status == RECMGR_STATUS_SUCCESS) {
    if (gTableCount >= kMaxTableNames) break;
    CopyFixedText(gTableNames[gTableCount], gFileRecordBuffer.name, kNameWidth);
    ++gTableCount;
    status = CallSlotNext(kFileDictionarySlot);
  }
  if (status == RECMGR_STATUS_END_OF_FILE || status == RECMGR_STATUS_SUCCESS) return 0;
  return status;
}
