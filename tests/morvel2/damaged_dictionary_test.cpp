// Damaged dictionaries and data files, end to end. The sample database is
// built with mkdict, then one file at a time is cut short or has bytes
// changed (deterministically, by seed) and the report runs over it, for
// every table and for one. Every run must end normally, print nothing but
// the tool's own messages, say so when a record-manager call failed, and
// leave every file as it found it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "folder_watch.h"
#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

struct DamageCase {
  const char* file;   // relative to the dictionary folder
  const char* table;  // reported alone after the all-tables run
  int seeds;
};

void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.file; }

// Every regular file under `folder`, by relative name.
std::map<std::string, std::string> ReadFolder(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[entry.path().lexically_relative(folder).string()] = ReadFile(entry.path().string());
  return files;
}

// The file's bytes after one kind of damage, chosen by the seed: cut short,
// a few bytes changed anywhere, one byte of the header page changed, or a
// run of bytes overwritten. `what` says which, to reproduce a failure.
std::string Damage(std::string bytes, uint32_t seed, std::string* what) {
  std::mt19937 random(seed);
  const size_t headerPage = std::min<size_t>(bytes.size(), 4096);
  switch (random() % 4) {
    case 0: {
      const size_t length = random() % bytes.size();
      bytes.resize(length);
      *what = "cut to " + std::to_string(length) + " bytes";
      break;
    }
    case 1: {
      *what = "bytes changed at";
      for (uint32_t n = 1 + random() % 4; n > 0; --n) {
        const size_t at = random() % bytes.size();
        bytes[at] = static_cast<char>(bytes[at] ^ (1 + random() % 255));
        *what += " " + std::to_string(at);
      }
      break;
    }
    case 2: {
      const size_t at = random() % headerPage;
      bytes[at] = static_cast<char>(bytes[at] ^ (1 + random() % 255));
      *what = "header byte changed at " + std::to_string(at);
      break;
    }
    default: {
      const size_t at = random() % bytes.size();
      const size_t length = std::min<size_t>(1 + random() % 512, bytes.size() - at);
      for (size_t i = at; i < at + length; ++i) bytes[i] = static_cast<char>(random());
      *what = std::to_string(length) + " bytes overwritten at " + std::to_string(at);
      break;
    }
  }
  return bytes;
}

// Moves `at` past an optionally negative decimal number in `line`.
bool SkipNumber(const std::string& line, size_t* at) {
  if (*at < line.size() && line[*at] == '-') ++*at;
  const size_t digits = *at;
  while (*at < line.size() && std::isdigit(static_cast<unsigned char>(line[*at]))) ++*at;
  return *at > digits;
}

// Moves `at` past `text` if the line has it there.
bool SkipText(const std::string& line, size_t* at, const std::string& text) {
  if (line.compare(*at, text.size(), text) != 0) return false;
  *at += text.size();
  return true;
}

// Lines the tool itself prints on standard error for this database; a
// sanitizer report or anything else is not among them.
bool IsToolMessage(const std::string& line) {
  if (line == "Printing Report for ALL Tables." || line == "Table Name not in database.") return true;
  size_t at = 0;
  if (SkipText(line, &at, "Record Manager Error "))  // then the file name, whatever it is
    return SkipNumber(line, &at) && SkipText(line, &at, ": Operation=") && SkipNumber(line, &at) &&
           SkipText(line, &at, ", File=");
  const std::string returned = "): Return Code was ";
  if (line.rfind("Error (", 0) != 0 || line.back() != '.') return false;
  at = line.rfind(returned);
  return at != std::string::npos && SkipText(line, &at, returned) && SkipNumber(line, &at) &&
         at == line.size() - 1;
}

// "Record Manager Error" lines of `err` that `baseline` does not have as
// often.
std::vector<std::string> NewRecordManagerErrors(const std::string& err, const std::string& baseline) {
  std::map<std::string, int> seen;
  for (const std::string& line : SplitLines(baseline)) ++seen[line];
  std::vector<std::string> added;
  for (const std::string& line : SplitLines(err))
    if (line.rfind("Record Manager Error", 0) == 0 && seen[line]-- <= 0) added.push_back(line);
  return added;
}

class DamagedDictionaryTest : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedDictionaryTest, ReportSurvivesAndSaysWhatFailed) {
  const DamageCase& c = GetParam();
  TempDir folder;
  const std::string sample = ReadFile(std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl");
  ASSERT_EQ(BuildDictionary(folder.str(), sample).exitCode, 0);
  const std::string path = folder / c.file;
  const std::string pristine = ReadFile(path);
  ASSERT_FALSE(pristine.empty());

  const std::vector<std::vector<std::string>> runs = {{"*", "/ax"}, {c.table, "/a"}};
  std::vector<ProcessResult> baselines;
  for (const auto& args : runs) {
    baselines.push_back(RunMorvel2(folder.str(), args));
    ASSERT_EQ(baselines.back().exitCode, 0) << baselines.back().err;
  }

  ProcessOptions options;
  options.timeoutSeconds = 30;
  for (int seed = 0; seed < c.seeds; ++seed) {
    std::string what;
    WriteFile(path, Damage(pristine, static_cast<uint32_t>(seed), &what));
    SCOPED_TRACE(std::string(c.file) + ", seed " + std::to_string(seed) + ": " + what);
    const auto before = ReadFolder(folder.path());

    for (size_t run = 0; run < runs.size(); ++run) {
      SCOPED_TRACE("morvel2 \"" + runs[run][0] + "\" " + runs[run][1]);
      FolderWatch watch(folder.str(), {"", "data"});
      const ProcessResult result = RunMorvel2(folder.str(), runs[run], options);

      // Nothing here is fatal: no argument error, no missing record
      // manager, no allocation failure. Every failure is reported, the run
      // goes on, and the exit code says whether one was.
      EXPECT_FALSE(result.timedOut);
      EXPECT_EQ(result.signal, 0);
      EXPECT_EQ(result.exitCode, ExitCodeFor(result.err));
      for (const std::string& line : SplitLines(result.err)) {
        EXPECT_TRUE(IsToolMessage(line)) << line;
      }
      // Every damage the engine finds is a status it reports (2 or 30), so
      // a report that differs from the undamaged one names a failed call.
      const ProcessResult& baseline = baselines[run];
      if (MaskDate(result.out) != MaskDate(baseline.out) || result.err != baseline.err) {
        EXPECT_FALSE(NewRecordManagerErrors(result.err, baseline.err).empty()) << result.err;
      }

      EXPECT_EQ(watch.Collect().changes, std::vector<std::string>{});
      EXPECT_TRUE(ReadFolder(folder.path()) == before) << "a file changed";
    }
    if (::testing::Test::HasFailure()) break;  // one seed's report is enough
  }
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedDictionaryTest,
                         // Only the header page of a data file is read (by Stat, under B).
                         ::testing::Values(DamageCase{"PVFILE.DDF", "Order Archive", 32},
                                           DamageCase{"PVFIELD.DDF", "Customers", 32},
                                           DamageCase{"PVINDEX.DDF", "Order Items", 32},
                                           DamageCase{"data/CUSTOMER.DAT", "Customers", 16},
                                           DamageCase{"data/ITEMS.DAT", "Order Items", 16}),
                         [](const ::testing::TestParamInfo<DamageCase>& info) {
                           std::string name = std::filesystem::path(info.param.file).filename().string();
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

}  // namespace
}  // namespace testsupport
