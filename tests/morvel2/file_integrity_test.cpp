// A run only reads: every dictionary and data file keeps its bytes, inode
// and times, and nothing in the folder is opened for writing, created,
// renamed or removed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "folder_watch.h"
#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

constexpr const char* kTables = R"(
CREATE TABLE Customers (Id INTEGER, Name CHAR(20) CASE INSENSITIVE);
CREATE UNIQUE INDEX ById ON Customers (Id);
CREATE INDEX ByName ON Customers (Name);
INSERT INTO Customers VALUES (1, 'Ada'), (2, 'Grace');
CREATE TABLE Orders IN 'data/Orders.DAT' (Number INTEGER, Customer INTEGER);
CREATE INDEX ON Orders (Customer);
INSERT INTO Orders VALUES (10, 1), (11, 1), (12, 2);
CREATE TABLE x$Log (Entry INTEGER);
CREATE TABLE X$File IN 'PVFILE.DDF' DICTIONARY NO FILE (Xf$Id INTEGER);
)";

// What a file's reader could change, short of its access time.
struct FileState {
  std::string bytes;
  ino_t inode;
  mode_t mode;
  timespec modified;
  timespec changed;
};

bool operator==(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}
bool operator==(const FileState& a, const FileState& b) {
  return a.bytes == b.bytes && a.inode == b.inode && a.mode == b.mode && a.modified == b.modified &&
         a.changed == b.changed;
}

std::map<std::string, FileState> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, FileState> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    struct stat status {};
    EXPECT_EQ(lstat(entry.path().c_str(), &status), 0);
    const std::string name = entry.path().lexically_relative(folder).string();
    files[name] = {entry.is_regular_file() ? ReadFile(entry.path().string()) : "", status.st_ino,
                   status.st_mode, status.st_mtim, status.st_ctim};
  }
  return files;
}

class FileIntegrityTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(FileIntegrityTest, RunLeavesEveryFileAsItWas) {
  TempDir folder;
  ASSERT_EQ(BuildDictionary(folder.str(), kTables).exitCode, 0);
  const auto before = Snapshot(folder.path());

  FolderWatch watch(folder.str(), {"", "data"});
  const ProcessResult result = RunMorvel2(folder.str(), GetParam());
  const Watched watched = watch.Collect();

  EXPECT_EQ(result.exitCode, ExitCodeFor(result.err)) << result.err;
  EXPECT_EQ(watched.changes, std::vector<std::string>{});
  // The watch saw the run read every file, so its silence above counts.
  EXPECT_EQ(watched.opened, (std::set<std::string>{"Customers.DAT", "PVFIELD.DDF", "PVFILE.DDF",
                                                   "PVINDEX.DDF", "data/Orders.DAT", "x$Log.DAT"}));
  const auto after = Snapshot(folder.path());
  EXPECT_EQ(after.size(), before.size());
  for (const auto& [name, state] : before) {
    const auto found = after.find(name);
    EXPECT_TRUE(found != after.end() && found->second == state) << name << " changed";
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, FileIntegrityTest,
                         ::testing::Values(std::vector<std::string>{"*", "/ax"},
                                           std::vector<std::string>{"*", "/bfioxd"},
                                           std::vector<std::string>{"*", "/nb"}));

}  // namespace
}  // namespace testsupport
