#include <cstdio>
#include <ctime>

#include "morvel2/common/text_helpers.h"
#include "morvel2/engine_access/report_options.h"
#include "report/table_report.h"

namespace {

// The location line shows at most this many characters.
constexpr int kShownLocationWidth = 64;

const char* YesNo(bool set) { return set ? "Yes" : "No"; }

void PrintFileInformation(const StatisticsRecord& statistics) {
  std::printf("\n");
  if (StatRecordCount(statistics) == kRecordCountUnavailable) {
    std::printf("    Data File Is Not Available.\n");
    return;
  }
  const uint16_t flags = StatFileFlags(statistics);
  std::printf("   Page Size   : %5d", StatPageSize(statistics));
  std::printf("   Variable: %3s", YesNo(flags & RECMGR_FILE_VARIABLE_LENGTH));
  std::printf("   Record Count : %lu", static_cast<unsigned long>(StatRecordCount(statistics)));
  std::printf("\n");
  std::printf("   File Version:   %3x", StatFileVersion(statistics));
  std::printf("   RecComp : %3s", YesNo(flags & RECMGR_FILE_RECORD_COMPRESSION));
  std::printf("   Record Length: %d", StatRecordLength(statistics));
  std::printf("\n");
  std::printf("   Unused Pages: %5d", StatUnusedPages(statistics));
  std::printf("   PageComp: %3s", YesNo(flags & RECMGR_FILE_PAGE_COMPRESSION));
  std::printf("   Index Count  : %d", StatIndexCount(statistics));
  std::printf("\n");
}

}  // namespace

void PrintHeader(const char* name, int* lineCounter, TableInfo* info, const StatisticsRecord& statistics) {
  *lineCounter = 1;
  // The standard 25-character form, "Mon Dec  7 07:10:54 2026\n", made with
  // strftime so that no year can overrun it.
  char printedOn[64];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(printedOn, sizeof printedOn, "%a %b %e %H:%M:%S %Y\n", &local);

  info->location[kShownLocationWidth] = '\0';
  TrimTrailingSpaces(info->location);
  gReportOptions.tableNullable = (info->flags & kTableNullable) != 0;

  std::printf("Description of Table \"%s\". Printed on %s\n", name, printedOn);
  std::printf("%s File located in %s %s\n", (info->flags & kTableDictionary) ? "Dictionary" : "Data",
              info->location, gReportOptions.tableNullable ? "(Nullable)" : "");
  if (gReportOptions.fileInformation) PrintFileInformation(statistics);
  std::printf("\n");
  if (gReportOptions.fields) {
    std::fputs(gReportOptions.showPosition ? "Position" : " Offset ", stdout);
    std::printf(" N Data Type  Size Dec/Case Field Name\n");
    std::printf("-------- - --------- ----- -------- ----------------------------------------\n");
  }
}
