#include "report_runs.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "cli/run_report.h"
#include "run_context.h"

namespace fuzzsupport {
namespace {

// RunReport lower-cases option arguments in place: it gets copies.
void RunOnce(const std::vector<std::string>& arguments) {
  std::vector<std::string> copies{"morvel2"};
  copies.insert(copies.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& copy : copies) argv.push_back(copy.data());
  argv.push_back(nullptr);
  auto run = std::make_unique<RunContext>();
  RunReport(run.get(), static_cast<int>(copies.size()), argv.data());
}

}  // namespace

void SplitReportInput(const uint8_t* input, size_t size, std::string* tableName, const uint8_t** stream,
                      size_t* streamSize) {
  size_t nameBytes = size > 0 ? std::min(size_t{input[0]}, size - 1) : 0;
  const char* name = reinterpret_cast<const char*>(input + 1);
  *tableName = std::string(name, std::find(name, name + nameBytes, '\0'));
  const size_t used = size > 0 ? 1 + nameBytes : 0;
  *stream = input + used;
  *streamSize = size - used;
}

std::string ReportInputPrefix(const std::string& tableName) {
  const size_t nameBytes = std::min(tableName.size(), size_t{255});
  return std::string(1, static_cast<char>(nameBytes)) + tableName.substr(0, nameBytes);
}

void RunReports(const std::string& tableName) {
  RunOnce({"*", "/abfixud"});
  RunOnce({tableName, "/abfioxud"});
  RunOnce({"*", "/n"});
  RunOnce({tableName, "/nb"});
}

}  // namespace fuzzsupport
