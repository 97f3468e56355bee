#include "cli/run_report.h"

#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "cli/report_error.h"
#include "morvel2/common/program_output.h"
#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_names.h"
#include "report/table_report.h"
#include "run_context.h"

namespace {

constexpr int kMinArguments = 1;
constexpr int kMaxArguments = 3;

void ReportAllTables(RunContext* run) {
  std::fputs("Printing Report for ALL Tables.\n", stderr);
  TableList& tables = run->tables;
  ReportError(run, "Load Tables", LoadTables(run, &tables));
  for (int i = 0; i < tables.count; ++i) {
    char name[kNameWidth + 1];
    CopyText(name, tables.names[i], kNameWidth);
    TrimTrailingSpaces(name);
    bool found = false;
    ReportError(run, name, LookupTable(run, name, &found, &run->tableInfo, &run->statistics));
    if (found && (!IsSystemTableName(name) || run->options.includeSystemTables))
      PrintTableReport(run, name, &run->tableInfo, &run->statistics);
  }
}

void ReportOneTable(RunContext* run, const char* tableName) {
  bool found = false;
  int result = LookupTable(run, tableName, &found, &run->tableInfo, &run->statistics);
  if (!found || result != 0) {
    ReportError(run, tableName, result);
    PrintFailure(run, "Table Name not in database.\n");
    return;
  }
  char name[kNameWidth + 1];
  CopyText(name, tableName, kNameWidth);
  PrintTableReport(run, name, &run->tableInfo, &run->statistics);
}

// Start values of the run's settings and of every buffer a slot can point
// at (the record manager sees the scratch buffers as they are).
void ResetRun(RunContext* run) {
  run->options = StartReportOptions();
  run->masterPassword[0] = '\0';
  run->tableName[0] = '\0';
  ResetSlotTable(&run->slots);
  run->slots.policy = CallPolicy{};
  std::memset(&run->dataFile, 0, sizeof run->dataFile);
  std::memset(&run->dictionary, 0, sizeof run->dictionary);
  std::memset(&run->indexListing, 0, sizeof run->indexListing);
  run->tables.count = 0;
  run->failureReported = false;
}

// "--help" or "--version" as the only argument; any other command line is
// the report's.
bool AnswerHelpOrVersion(int argc, char** argv) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(stdout);
  } else if (std::strcmp(argv[1], "--version") == 0) {
    PrintVersion("morvel2");
  } else {
    return false;
  }
  return true;
}

}  // namespace

int RunReport(RunContext* run, int argc, char** argv) {
  ResetRun(run);
  if (AnswerHelpOrVersion(argc, argv)) return 0;
  const int arguments = argc - 1;
  if (arguments < kMinArguments || arguments > kMaxArguments) {
    PrintUsage(stderr);
    return 1;
  }
  bool allTables = false;
  if (!ParseArguments(run, argc, argv, &allTables)) return 1;
  run->slots.policy.trace = run->options.trace != 0;

  ReportError(run, "Login", OpenDictionaries(run));
  if (allTables)
    ReportAllTables(run);
  else
    ReportOneTable(run, run->tableName);
  ReportError(run, "Logout", CloseDictionaries(run));

  // Standard error first; standard output is flushed and closed next by
  // the caller, who says so when the report could not be written.
  std::fflush(stderr);
  // Any message on standard error but the banner tells of a failure.
  return run->failureReported ? 1 : 0;
}
