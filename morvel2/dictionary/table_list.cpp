#include "dictionary/table_lookup.h"
#include "morvel2/common/text_helpers.h"
#include "run_context.h"

int LoadTables(RunContext* run, TableList* list) {
  list->count = 0;
  FileRecord& record = run->dictionary.fileRecord;
  int status = CallSlotWith(run, kFileDictionarySlot, RECMGR_OP_GET_FIRST, &record,
                            run->dictionary.tableScanKey, kFileKeyTableName);
  while (status == RECMGR_STATUS_SUCCESS) {
    if (list->count >= kMaxTableNames) break;
    CopyFixedText(list->names[list->count], record.name, kNameWidth);
    ++list->count;
    status = CallSlotNext(run, kFileDictionarySlot);
  }
  if (status == RECMGR_STATUS_END_OF_FILE || status == RECMGR_STATUS_SUCCESS) return 0;
  return status;
}
