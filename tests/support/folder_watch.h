// Watches folders with inotify while a tool runs: which files it opened and
// whether anything in them was written, made, renamed or removed. Tests run
// as root, where read-only modes stop no write, so writes are watched
// instead.
#ifndef TESTS_SUPPORT_FOLDER_WATCH_H
#define TESTS_SUPPORT_FOLDER_WATCH_H

#include <map>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

struct Watched {
  std::set<std::string> opened;      // names relative to the root
  std::vector<std::string> changes;  // "mask name" of every change event
};

class FolderWatch {
 public:
  // Watches each of `folders` ("" for the root itself) under `root`.
  FolderWatch(const std::string& root, const std::vector<std::string>& folders);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // What happened since the watch began or was last collected.
  Watched Collect();

 private:
  int fd_ = -1;
  std::map<int, std::string> prefixes_;  // watch descriptor -> "folder/"
};

}  // namespace testsupport

#endif  // TESTS_SUPPORT_FOLDER_WATCH_H
