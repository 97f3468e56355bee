#include "folder_watch.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

namespace testsupport {
namespace {

// Events that mean something was written, made, renamed or removed.
constexpr uint32_t kChangeEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

FolderWatch::FolderWatch(const std::string& root, const std::vector<std::string>& folders)
    : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  EXPECT_GE(fd_, 0);
  for (const std::string& folder : folders) {
    const int watch =
        inotify_add_watch(fd_, (std::filesystem::path(root) / folder).c_str(), kChangeEvents | IN_OPEN);
    EXPECT_GE(watch, 0) << folder;
    prefixes_[watch] = folder.empty() ? "" : folder + "/";
  }
}

FolderWatch::~FolderWatch() { close(fd_); }

Watched FolderWatch::Collect() {
  Watched watched;
  alignas(inotify_event) char buffer[64 * 1024];
  ssize_t length;
  while ((length = read(fd_, buffer, sizeof buffer)) > 0) {
    for (char* at = buffer; at < buffer + length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      const std::string name = prefixes_[event->wd] + (event->len > 0 ? event->name : "");
      // A lost event could have been a change.
      if (event->mask & (kChangeEvents | IN_Q_OVERFLOW))
        watched.changes.push_back(std::to_string(event->mask) + " " + name);
      if ((event->mask & IN_OPEN) && event->len > 0) watched.opened.insert(name);
      at += sizeof(inotify_event) + event->len;
    }
  }
  return watched;
}

}  // namespace testsupport
