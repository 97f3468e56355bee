#include "report_runner.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace testsupport {

const std::string kLoginTrace =
    "Opening Data Dictionaries\n"
    "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
    "Op: 0, Buflen: 151, KeyNum: 0 Status: 0\n"
    "Op: 0, Buflen: 20, KeyNum: 0 Status: 0\n"
    "Data Dictionaries Opened: 0\n";

const std::string kLogoutTrace =
    "Closing Data Dictionaries\n"
    "Op: 1, Buflen: 402, KeyNum: 1 Status: 0\n"
    "Op: 1, Buflen: 151, KeyNum: 0 Status: 0\n"
    "Op: 1, Buflen: 20, KeyNum: 0 Status: 0\n"
    "Data Dictionaries Closed\n";

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

const std::string& SharedDictionary(const std::string& ddl, const std::vector<std::string>& extraArgs) {
  static std::map<std::vector<std::string>, std::unique_ptr<TempDir>> folders;
  std::vector<std::string> recipe{ddl};
  recipe.insert(recipe.end(), extraArgs.begin(), extraArgs.end());
  std::unique_ptr<TempDir>& folder = folders[recipe];
  if (!folder) {
    folder = std::make_unique<TempDir>();
    const ProcessResult built = BuildDictionary(folder->str(), ddl, extraArgs);
    EXPECT_EQ(built.exitCode, 0) << built.err;
  }
  return folder->path().native();
}

ProcessResult ReportOn(const std::string& ddl, const std::vector<std::string>& args) {
  TempDir folder;
  const ProcessResult built = BuildDictionary(folder.str(), ddl);
  EXPECT_EQ(built.exitCode, 0) << built.err;
  ProcessResult result = RunMorvel2(folder.str(), args);
  result.out = MaskDate(result.out);
  return result;
}

namespace {

// Whether `text` at `at` has the form "Www Mmm dd hh:mm:ss yyyy": letters
// where the pattern has letters, digits where it has digits, the day of
// month possibly padded with a space.
bool IsPrintedDate(const std::string& text, size_t at) {
  static const char pattern[] = "Aaa Aaa 99 99:99:99 9999";
  constexpr size_t length = sizeof pattern - 1;
  if (at + length > text.size()) return false;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[at + i]);
    switch (pattern[i]) {
      case 'A':
        if (!std::isupper(c)) return false;
        break;
      case 'a':
        if (!std::islower(c)) return false;
        break;
      case '9':
        if (!std::isdigit(c) && !(i == 8 && c == ' ')) return false;
        break;
      default:
        if (c != static_cast<unsigned char>(pattern[i])) return false;
    }
  }
  return true;
}

}  // namespace

std::string MaskDate(const std::string& report) {
  static const std::string title = "Printed on ";
  static const std::string mask = "Www Mmm dd hh:mm:ss yyyy";
  std::string masked = report;
  for (size_t at = masked.find(title); at != std::string::npos; at = masked.find(title, at + 1)) {
    const size_t date = at + title.size();
    if (IsPrintedDate(masked, date)) masked.replace(date, mask.size(), mask);
  }
  return masked;
}

std::string ReadGolden(const std::string& name) {
  return ReadFile(std::string(TEST_SOURCE_DIR) + "/morvel2/golden/" + name);
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
