#include "check_run.h"

#include <cstdio>
#include <vector>

#include "data_file_check.h"
#include "dictionary_scan.h"
#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/engine_access/recmgr_file.h"
#include "morvel2/engine_access/report_options.h"
#include "morvel2/engine_access/request_slot.h"
#include "problem_lines.h"
#include "table_checks.h"

namespace dictcheck {
namespace {

constexpr int kExitClean = 0;
constexpr int kExitProblem = 1;

int Fail(const char* file, int status) {
  if (status == RECMGR_STATUS_NOT_LOADED)
    std::fprintf(stderr, "dictcheck: %s\n", RecmgrStatusWords(status));
  else
    std::fprintf(stderr, "dictcheck: %s: %s\n", file, RecmgrStatusWords(status));
  return kExitProblem;
}

// The dictionary file whose open failed: the last one the login named.
const char* FailedDictionary() {
  for (int slot = kIndexDictionarySlot; slot > kFileDictionarySlot; --slot)
    if (gSlotTable[slot].fileName[0] != '\0') return gSlotTable[slot].fileName;
  return kFileDictionaryName;
}

int CheckTables() {
  std::vector<Table> tables;
  int status = ReadTables(&tables);
  if (status != RECMGR_STATUS_SUCCESS) return Fail(kFileDictionaryName, status);
  CheckTableCount(tables);
  const std::vector<std::string> twins = FindNameTwins(tables);
  for (size_t i = 0; i < tables.size(); ++i) {
    const Table& table = tables[i];
    if (!twins[i].empty()) ReportProblem(table.name, "the report can't tell this name from " + twins[i]);
    std::vector<Column> columns;
    std::vector<Segment> segments;
    status = ReadColumns(table.id, &columns);
    if (status != RECMGR_STATUS_SUCCESS) return Fail(kFieldDictionaryName, status);
    status = ReadSegments(table.id, &segments);
    if (status != RECMGR_STATUS_SUCCESS) return Fail(kIndexDictionaryName, status);
    status = CheckTableDefinition(table, columns, segments);
    if (status != RECMGR_STATUS_SUCCESS) return Fail(kFieldDictionaryName, status);
    CheckDataFile(table, columns, segments);
  }
  return ProblemCount() == 0 ? kExitClean : kExitProblem;
}

}  // namespace

int RunCheck(const std::string& password) {
  ResetSlotTable();
  ResetReportOptions();
  gReportOptions.quietCalls = 1;
  CopyText(gMasterPassword, password.c_str(), kMasterPasswordLength);

  const int status = OpenDictionaries();
  const int exitCode = status == RECMGR_STATUS_SUCCESS ? CheckTables() : Fail(FailedDictionary(), status);
  CloseDictionaries();
  return exitCode;
}

}  // namespace dictcheck
