#include "dictionary/table_lookup.h"

#include <cstdio>
#include <cstring>

#include "morvel2/common/text_helpers.h"
#include "run_context.h"
#include "slots/data_file_statistics.h"

int GetFileRecord(RunContext* run, const char* name) {
  char* key = run->dictionary.nameKey;
  std::memset(key, 0, kSlotKeyBufferSize);
  CopyText(key, name, kNameWidth);
  PadWithSpaces(key, kNameWidth);

  return CallSlotWith(run, kFileDictionarySlot, RECMGR_OP_GET_EQUAL, &run->dictionary.fileRecord, key,
                      kFileKeyTableName);
}

int LookupTable(RunContext* run, const char* name, bool* found, TableInfo* info,
                StatisticsRecord* statistics) {
  char work[kNameWidth + 1];
  CopyText(work, name, kNameWidth);
  *found = false;
  ClearStatisticsRead(statistics);

  int status = GetFileRecord(run, work);
  if (run->options.trace) std::printf("First GetFileRecord Returned %d with <%s>\n", status, work);
  if (status == RECMGR_STATUS_KEY_NOT_FOUND) {
    SpacesToCarets(work);
    status = GetFileRecord(run, work);
    if (run->options.trace) std::printf("Second GetFileRecord Returned %d with <%s>\n", status, work);
  }

  if (status == RECMGR_STATUS_SUCCESS) {
    const FileRecord& record = run->dictionary.fileRecord;
    info->flags = record.flags;
    CopyFixedText(info->location, record.location, kLocationWidth);
    CopyFixedText(info->name, record.name, kNameWidth);
    *found = true;
    ReadDataFileStatistics(run, info->location, statistics);
    return 0;
  }
  if (status == RECMGR_STATUS_KEY_NOT_FOUND || status == RECMGR_STATUS_END_OF_FILE) return 1;
  MarkStatisticsUnavailable(statistics);
  return 0;
}
