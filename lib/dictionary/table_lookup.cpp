#include "morvel2/dictionary/table_lookup.h"

#include <cstdio>
#include <cstring>

#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/engine_access/data_file_statistics.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"

namespace {

char gNameKey[kKeyBufferSize];

}  // namespace

int GetFileRecord(const char* name) {
  std::memset(gNameKey, 0, sizeof gNameKey);
  CopyText(gNameKey, name, kNameWidth);
  PadWithSpaces(gNameKey, kNameWidth);

  return CallSlotWith(kFileDictionarySlot, RECMGR_OP_GET_EQUAL, &gFileRecordBuffer, gNameKey,
                      kFileKeyTableName);
}

int LookupTable(const char* name, bool* found, TableInfo* info, StatisticsRecord* statistics) {
  char work[kNameWidth + 1];
  CopyText(work, name, kNameWidth);
  *found = false;
  std::memset(statistics, 0, sizeof *statistics);

  int status = GetFileRecord(work);
  if (gReportOptions.trace) std::printf("First GetFileRecord Returned %d with <%s>\n", status, work);
  if (status == RECMGR_STATUS_KEY_NOT_FOUND) {
    SpacesToCarets(work);
    status = GetFileRecord(work);
    if (gReportOptions.trace) std::printf("Second GetFileRecord Returned %d with <%s>\n", status, work);
  }

  if (status == RECMGR_STATUS_SUCCESS) {
    info->flags = gFileRecordBuffer.flags;
    CopyFixedText(info->location, gFileRecordBuffer.location, kLocationWidth);
    CopyFixedText(info->name, gFileRecordBuffer.name, kNameWidth);
    *found = true;
    ReadDataFileStatistics(info->location, statistics);
    return 0;
  }
  if (status == RECMGR_STATUS_KEY_NOT_FOUND || status == RECMGR_STATUS_END_OF_FILE) return 1;
  MarkStatisticsUnavailable(statistics);
  return 0;
}
