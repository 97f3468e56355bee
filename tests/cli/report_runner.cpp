#include "report_runner.h"

#include <regex>

#include "temp_dir.h"

namespace testsupport {

ProcessResult RunMorvel2(const std::string& folder, const std::vector<std::string>& args,
                         ProcessOptions options) {
  std::vector<std::string> argv{MORVEL2_BIN};
  argv.insert(argv.end(), args.begin(), args.end());
  options.workingDirectory = folder;
  return RunProcess(argv, options);
}

ProcessResult BuildDictionary(const std::string& folder, const std::string& ddl,
                              const std::vector<std::string>& extraArgs) {
  const std::string description = folder + "/description.ddl";
  WriteFile(description, ddl);
  std::vector<std::string> argv{MKDICT_BIN, description, "-o", folder};
  argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
  ProcessResult result = RunProcess(argv);
  std::remove(description.c_str());
  return result;
}

std::string MaskDate(const std::string& report) {
  static const std::regex date(R"(Printed on [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4})");
  return std::regex_replace(report, date, "Printed on Www Mmm dd hh:mm:ss yyyy");
}

std::string ReadGolden(const std::string& name) {
  return ReadFile(std::string(TEST_SOURCE_DIR) + "/cli/golden/" + name);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace testsupport
