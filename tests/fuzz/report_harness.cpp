// Fuzz target for the report tool's own code (morvel2_core): every input is
// a table name and the answers of a stand-in record manager (report_runs.h,
// answer_stream.h), so dictionary records, statistics and statuses of any
// shape reach the report. The report must survive them all; what it prints
// is not looked at.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "answer_stream.h"
#include "morvel2/engine_access/recmgr_loader.h"
#include "report_runs.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  SetRecordManagerEntry(&fuzzsupport::AnswerCall);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string tableName;
  const uint8_t* stream;
  size_t streamSize;
  fuzzsupport::SplitReportInput(data, size, &tableName, &stream, &streamSize);
  fuzzsupport::StartAnswers(stream, streamSize);
  fuzzsupport::RunReports(tableName);
  return 0;
}
