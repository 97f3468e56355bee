#include "output_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "recmgr/recmgr.h"

namespace dictdump {

namespace {

bool StartsLikeARecordManagerFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  constexpr size_t kMagicSize = sizeof RECMGR_FILE_MAGIC - 1;
  char magic[kMagicSize] = {};
  const bool match =
      pread(fd, magic, kMagicSize, RECMGR_FILE_MAGIC_OFFSET) == static_cast<ssize_t>(kMagicSize) &&
      std::memcmp(magic, RECMGR_FILE_MAGIC, kMagicSize) == 0;
  close(fd);
  return match;
}

}  // namespace

std::string RefusedOutput(const std::string& path, const std::vector<GuardedFile>& guarded) {
  struct stat target {};
  if (stat(path.c_str(), &target) != 0 || !S_ISREG(target.st_mode)) return "";
  for (const auto& [name, what] : guarded) {
    struct stat file {};
    if (stat(name.c_str(), &file) == 0 && file.st_dev == target.st_dev && file.st_ino == target.st_ino)
      return "is " + what;
  }
  if (StartsLikeARecordManagerFile(path)) return "is a record manager's file";
  return "";
}

}  // namespace dictdump
