#include "report_runner.h"

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

int ExitCodeFor(const std::string& err) {
  for (const std::string& line : SplitLines(err)) {
    if (line != "Printing Report for ALL Tables.") return 1;
  }
  return 0;
}

ProcessResult RunMorvel2(const std::string& folder, const std::vector<std::string>& args,
                         ProcessOptions options) {
  std::vector<std::string> argv{MORVEL2_BIN};
  argv.insert(argv.end(), args.begin(), args.end());
  options.workingDirectory = folder;
  ProcessResult result = RunProcess(argv, options);
  if (result.signal == 0 && !result.timedOut) {
    EXPECT_EQ(result.exitCode, ExitCodeFor(result.err)) << "standard error:\n" << result.err;
  }
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

void ExpectPrinted(const ProcessResult& result, const std::string& out, const std::string& err) {
  const std::string masked = MaskDate(result.out);
  if (masked.size() + out.size() < 16384) {
    EXPECT_EQ(masked, out);
  } else if (masked != out) {
    const std::vector<std::string> printed = SplitLines(masked), expected = SplitLines(out);
    size_t line = 0;
    while (line < printed.size() && line < expected.size() && printed[line] == expected[line]) ++line;
    if (printed.size() == expected.size() && line == printed.size())
      ADD_FAILURE() << "standard output: the same lines, but different line ends";
    else
      ADD_FAILURE() << "standard output differs at line " << line + 1
                    << "\n  printed:  " << (line < printed.size() ? printed[line] : "(end)")
                    << "\n  expected: " << (line < expected.size() ? expected[line] : "(end)");
  }
  EXPECT_EQ(result.err, err);
  EXPECT_EQ(result.exitCode, ExitCodeFor(err));
}

namespace {

// "golden:NAME" stands for the content of that golden file.
std::string Expected(const std::string& text) {
  const std::string prefix = "golden:";
  return text.starts_with(prefix) ? ReadGolden(text.substr(prefix.size())) : text;
}

const std::string& FolderOf(const ReportCase& c) {
  static const TempDir noDictionary;
  return c.ddl ? SharedDictionary(*c.ddl, c.mkdictArgs) : noDictionary.path().native();
}

}  // namespace

TEST_P(ReportTest, PrintsExactly) {
  const ReportCase& c = GetParam();
  ProcessOptions options;
  options.setEnv = c.environment;
  ExpectPrinted(RunMorvel2(FolderOf(c), c.args, options), Expected(c.expectedOut), Expected(c.expectedErr));
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
