// All or nothing: mkdict killed before each of its changes to the file
// system while it replaces the sample, then `mkdict --recover`, leaves the
// old files or the new ones; readers running during replacements end
// normally; a replacement leaves the data files it no longer names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "mkdict_run.h"

namespace mkdicttest {
namespace {

using testsupport::ProcessOptions;
using testsupport::ProcessResult;
using testsupport::ReadFile;
using testsupport::RunProcess;
using testsupport::TempDir;
namespace fs = std::filesystem;

const std::string kSample = std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl";

// The sample with one table more, in a folder of its own, so that the
// replacement also makes a folder.
std::string ChangedSample() {
  return ReadFile(kSample) +
         "CREATE TABLE Extra IN 'extra/EXTRA.DAT' (Id INTEGER);\n"
         "CREATE UNIQUE INDEX ExtraKey ON Extra (Id);\n"
         "INSERT INTO Extra VALUES (1), (2), (3);\n";
}

struct FileState {
  ino_t inode = 0;
  std::string bytes;
  bool operator==(const FileState&) const = default;
};
using FolderState = std::map<std::string, FileState>;  // relative path → file

FolderState StateOf(const std::string& folder) {
  FolderState state;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat info {};
    lstat(entry.path().c_str(), &info);
    state[fs::relative(entry.path(), folder).string()] = {
        info.st_ino, entry.is_regular_file() ? ReadFile(entry.path().string()) : "(folder)"};
  }
  return state;
}

ProcessResult Mkdict(const std::vector<std::string>& arguments, const ProcessOptions& options = {}) {
  std::vector<std::string> argv = {MKDICT_BIN};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunProcess(argv, options);
}

// The report of every table, system tables included, its dates masked.
std::string Report(const std::string& folder) {
  ProcessOptions options;
  options.workingDirectory = folder;
  ProcessResult run = RunProcess({MORVEL2_BIN, "*", "/ax"}, options);
  return std::regex_replace(run.out + run.err + std::to_string(run.exitCode), std::regex("Printed on .*"),
                            "Printed on DATE");
}

TEST(Commit, KilledBeforeAnyChangeRecoveryLeavesTheOldFilesOrTheNew) {
  TempDir dir;
  testsupport::WriteFile(dir / "new.ddl", ChangedSample());
  testsupport::WriteFile(dir / "wrong.ddl", "CREATE");
  ASSERT_EQ(Mkdict({kSample, "-o", dir / "old"}).exitCode, 0);
  ASSERT_EQ(Mkdict({dir / "new.ddl", "-o", dir / "new"}).exitCode, 0);
  const std::string newReport = Report(dir / "new");
  std::vector<std::string> newNames;
  for (const auto& [name, file] : StateOf(dir / "new")) newNames.push_back(name);

  ProcessOptions crash;
  const char* asan = std::getenv("ASAN_OPTIONS");
  crash.setEnv = {{"LD_PRELOAD", MKDICT_CRASH_SHIM},
                  {"ASAN_OPTIONS", std::string(asan != nullptr ? asan : "") + ":verify_asan_link_order=0"}};
  int olds = 0;
  int news = 0;
  int k = 1;
  for (;; ++k) {
    SCOPED_TRACE("killed before change " + std::to_string(k));
    const std::string folder = dir / ("run" + std::to_string(k));
    fs::copy(dir / "old", folder, fs::copy_options::recursive);
    const FolderState before = StateOf(folder);
    crash.setEnv["MKDICT_CRASH_AT"] = std::to_string(k);
    ProcessResult run = Mkdict({dir / "new.ddl", "-o", folder, "--replace"}, crash);
    ASSERT_FALSE(run.timedOut);
    if (run.signal == 0) {  // k is past the last change: the run completed
      EXPECT_EQ(run.exitCode, 0) << run.err;
      break;
    }
    ASSERT_EQ(run.signal, SIGKILL) << run.err;
    // Recovery alone, or as the first step of a run that then fails.
    ProcessResult recover = k % 2 == 1 ? Mkdict({"--recover", "-o", folder})
                                       : Mkdict({dir / "wrong.ddl", "-o", folder, "--replace"});
    EXPECT_EQ(recover.exitCode, k % 2 == 1 ? 0 : 1) << recover.err;
    EXPECT_EQ(recover.out, "");
    ProcessResult again = Mkdict({"--recover", "-o", folder});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out + again.err, "") << "a second recovery has nothing to do";

    const FolderState after = StateOf(folder);
    if (after == before) {
      ++olds;
      continue;
    }
    ++news;
    std::vector<std::string> names;
    for (const auto& [name, file] : after) {
      names.push_back(name);
      auto old = before.find(name);
      if (old != before.end() && old->second.bytes != "(folder)") {
        EXPECT_NE(file.inode, old->second.inode) << name << " was not replaced";
      }
    }
    EXPECT_EQ(names, newNames);
    EXPECT_EQ(Report(folder), newReport);
    fs::remove_all(folder);
  }
  // The shim saw every change: the journal, a temporary per file (3
  // dictionary and 5 data files), a folder, the commit, 8 renames, the end.
  EXPECT_GE(k, 20);
  EXPECT_GT(olds, 0);
  EXPECT_GT(news, 0);
  EXPECT_EQ(Report(dir / ("run" + std::to_string(k))), newReport);
}

TEST(Commit, ReadersDuringReplacementsEndNormally) {
  TempDir dir;
  testsupport::WriteFile(dir / "new.ddl", ChangedSample());
  ASSERT_EQ(Mkdict({kSample, "-o", dir / "db"}).exitCode, 0);
  std::atomic<bool> reading{true};
  std::atomic<int> replacements{0};
  std::thread writer([&] {
    for (int i = 0; reading; ++i) {
      ProcessResult run = Mkdict({i % 2 == 0 ? dir / "new.ddl" : kSample, "-o", dir / "db", "--replace"});
      EXPECT_EQ(run.exitCode, 0) << run.err;
      ++replacements;
    }
  });
  constexpr int kReaders = 4;
  constexpr int kRunsEach = 50;
  std::vector<std::thread> readers;
  std::vector<std::vector<ProcessResult>> results(kReaders);
  for (int r = 0; r < kReaders; ++r) {
    readers.emplace_back([&, r] {
      ProcessOptions options;
      options.workingDirectory = dir / "db";
      options.timeoutSeconds = 30;
      for (int i = 0; i < kRunsEach; ++i) results[r].push_back(RunProcess({MORVEL2_BIN, "*", "/a"}, options));
    });
  }
  for (std::thread& reader : readers) reader.join();
  reading = false;
  writer.join();
  EXPECT_GT(replacements, 1);
  for (const auto& runs : results) {
    for (const ProcessResult& run : runs) {
      EXPECT_FALSE(run.timedOut);
      EXPECT_EQ(run.signal, 0);
      EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode << "\n" << run.err;
    }
  }
}

TEST(Commit, ReplacingLeavesTheDataFilesTheOldDictionaryAloneNames) {
  TempDir dir;
  testsupport::WriteFile(dir / "new.ddl", ChangedSample());
  ASSERT_EQ(Mkdict({dir / "new.ddl", "-o", dir / "db"}).exitCode, 0);
  const std::string extra = ReadFile(dir / "db/extra/EXTRA.DAT");
  ProcessResult run = Mkdict({kSample, "-o", dir / "db", "--replace"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err,
            "mkdict: warning: data file extra/EXTRA.DAT of table Extra, which the new description does "
            "not name, stays in place\n");
  EXPECT_EQ(ReadFile(dir / "db/extra/EXTRA.DAT"), extra);
}

}  // namespace
}  // namespace mkdicttest
