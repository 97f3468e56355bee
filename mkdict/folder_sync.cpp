#include "folder_sync.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace mkdict {

std::string FolderOf(const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

bool SyncFolders(const std::set<std::string>& folders, std::string* failure) {
  for (const std::string& folder : folders) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = fd >= 0 && fsync(fd) == 0;
    const int error = errno;
    if (fd >= 0) close(fd);
    if (!synced) {
      *failure = "cannot sync folder " + folder + ": " + std::strerror(error);
      return false;
    }
  }
  return true;
}

}  // namespace mkdict
