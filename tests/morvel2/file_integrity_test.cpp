// A run only reads: every dictionary and data file keeps its bytes, inode
// and times, and nothing in the folder is opened for writing, created,
// renamed or removed. Tests run as root, where read-only modes stop no
// write, so the folder is watched with inotify instead.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

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

// Events that mean something was written, made, renamed or removed.
constexpr uint32_t kChangeEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

struct Watched {
  std::set<std::string> opened;      // names, relative to the folder
  std::vector<std::string> changes;  // "mask name" of every change event
};

class FolderWatch {
 public:
  explicit FolderWatch(const std::vector<std::string>& folders, const std::string& root) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(fd_, 0);
    for (const std::string& folder : folders) {
      const int watch = inotify_add_watch(fd_, (root + "/" + folder).c_str(), IN_ALL_EVENTS);
      EXPECT_GE(watch, 0) << folder;
      prefixes_[watch] = folder.empty() ? "" : folder + "/";
    }
  }
  ~FolderWatch() { close(fd_); }
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  Watched Collect() {
    Watched watched;
    alignas(inotify_event) char buffer[64 * 1024];
    ssize_t length;
    while ((length = read(fd_, buffer, sizeof buffer)) > 0) {
      for (char* at = buffer; at < buffer + length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        const std::string name = prefixes_[event->wd] + (event->len > 0 ? event->name : "");
        if (event->mask & kChangeEvents) watched.changes.push_back(std::to_string(event->mask) + " " + name);
        if ((event->mask & IN_OPEN) && event->len > 0) watched.opened.insert(name);
        at += sizeof(inotify_event) + event->len;
      }
    }
    return watched;
  }

 private:
  int fd_ = -1;
  std::map<int, std::string> prefixes_;
};

class FileIntegrityTest : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(FileIntegrityTest, RunLeavesEveryFileAsItWas) {
  TempDir folder;
  ASSERT_EQ(BuildDictionary(folder.str(), kTables).exitCode, 0);
  const auto before = Snapshot(folder.path());

  FolderWatch watch({"", "data"}, folder.str());
  const ProcessResult result = RunMorvel2(folder.str(), GetParam());
  const Watched watched = watch.Collect();

  EXPECT_EQ(result.exitCode, 0) << result.err;
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
