#include "dictdump_run.h"

#include "report_date.h"
#include "temp_dir.h"

namespace dictdumptest {

testsupport::ProcessResult RunDictdump(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {DICTDUMP_BIN};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return testsupport::RunProcess(argv);
}

std::string ReportAll(const std::string& folder, const std::string& password) {
  std::vector<std::string> argv = {MORVEL2_BIN, "*", "/ax"};
  if (!password.empty()) argv.push_back("/P=" + password);
  testsupport::ProcessOptions options;
  options.workingDirectory = folder;
  const testsupport::ProcessResult result = testsupport::RunProcess(argv, options);
  return testsupport::MaskDate(result.out) + result.err;
}

}  // namespace dictdumptest
