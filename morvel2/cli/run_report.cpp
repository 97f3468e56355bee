#include "cli/run_report.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/dictionary/table_lookup.h"
#include "morvel2/engine_access/report_error.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"
#include "report/table_report.h"

namespace {

constexpr int kMinArguments = 1;
constexpr int kMaxArguments = 3;

// Reused for every table of the run.
TableInfo gTableInfo;
StatisticsRecord gStatistics;

bool IsSystemTable(const char* name) { return (name[0] == 'X' || name[0] == 'x') && name[1] == '$'; }

void ReportAllTables() {
  std::fputs("Printing Report for ALL Tables.\n", stderr);
  ReportError("Load Tables", LoadTables());
  for (int i = 0; i < gTableCount; ++i) {
    char name[kNameWidth + 1];
    CopyText(name, gTableNames[i], kNameWidth);
    TrimTrailingSpaces(name);
    bool found = false;
    ReportError(name, LookupTable(name, &found, &gTableInfo, &gStatistics));
    if (found && (!IsSystemTable(name) || gReportOptions.includeSystemTables))
      PrintTableReport(name, &gTableInfo, &gStatistics);
  }
}

void ReportOneTable() {
  bool found = false;
  int result = LookupTable(gTableName, &found, &gTableInfo, &gStatistics);
  if (!found || result != 0) {
    ReportError(gTableName, result);
    std::fputs("Table Name not in database.\n", stderr);
    return;
  }
  char name[kNameWidth + 1];
  CopyText(name, gTableName, kNameWidth);
  PrintTableReport(name, &gTableInfo, &gStatistics);
}

// A report is written in large pieces unless someone is watching it. The
// buffer can only be set before the first output, so once per process.
void UseLargeOutputBuffer() {
  static char outputBuffer[1 << 16];
  static bool set = false;
  if (set) return;
  set = true;
  if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
}

// Start values of every program-wide setting and buffer.
void ResetProgramState() {
  ResetReportOptions();
  ResetSlotTable();
  gMasterPassword[0] = '\0';
  gTableName[0] = '\0';
}

}  // namespace

int RunReport(int argc, char** argv) {
  ResetProgramState();
  const int arguments = argc - 1;
  if (arguments < kMinArguments || arguments > kMaxArguments) {
    PrintUsage();
    return 1;
  }
  bool allTables = false;
  if (!ParseArguments(argc, argv, &allTables)) return 1;

  UseLargeOutputBuffer();

  ReportError("Login", OpenDictionaries());
  if (allTables)
    ReportAllTables();
  else
    ReportOneTable();
  ReportError("Logout", CloseDictionaries());

  std::fflush(stderr);
  std::fflush(stdout);
  return 0;
}
