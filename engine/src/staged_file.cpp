#include "staged_file.h"

#include <fcntl.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdio>

#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

constexpr int kNameAttempts = 100;

std::atomic<unsigned> nextTempNumber{0};

}  // namespace

int16_t CreateStagedFile(const std::string& path, StagedFile* out) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string temp =
        path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(nextTempNumber.fetch_add(1));
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      out->finalPath = path;
      out->tempPath = std::move(temp);
      out->fd = fd;
      return RECMGR_STATUS_SUCCESS;
    }
    if (errno == EEXIST || errno == EINTR) continue;
    if (errno == ENOENT || errno == ENOTDIR) return RECMGR_STATUS_FILE_NOT_FOUND;
    if (errno == EACCES || errno == EPERM || errno == EROFS) return RECMGR_STATUS_ACCESS_DENIED;
    return RECMGR_STATUS_IO_ERROR;
  }
  return RECMGR_STATUS_IO_ERROR;
}

bool WriteStaged(StagedFile& file, const uint8_t* data, size_t n) {
  while (n > 0) {
    const ssize_t written = write(file.fd, data, n);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    n -= static_cast<size_t>(written);
  }
  return true;
}

bool FinishStaged(StagedFile& file) {
  const bool synced = fsync(file.fd) == 0;
  const bool closed = close(file.fd) == 0;
  file.fd = -1;
  return synced && closed;
}

int16_t CommitStaged(StagedFile& file) {
  if (std::rename(file.tempPath.c_str(), file.finalPath.c_str()) != 0) {
    DiscardStaged(file);
    return RECMGR_STATUS_IO_ERROR;
  }
  file.tempPath.clear();
  return RECMGR_STATUS_SUCCESS;
}

void DiscardStaged(StagedFile& file) {
  if (file.fd >= 0) close(file.fd);
  file.fd = -1;
  if (!file.tempPath.empty()) unlink(file.tempPath.c_str());
  file.tempPath.clear();
}

}  // namespace recmgr
