#include "staged_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "file_io.h"

namespace recmgr {

Status CreateStagedFile(const std::string& path, StagedFile* out) {
  int fd = -1;
  std::string temp;
  Status status = CreateNumberedFile(path + ".tmp." + std::to_string(getpid()) + ".", 0666,
                                     "no free temporary name beside " + path, &fd, &temp);
  if (!status.IsOk()) return status;
  out->finalPath = path;
  out->tempPath = std::move(temp);
  out->fd = fd;
  return Status::Ok();
}

Status ReopenStaged(StagedFile& file) {
  if (file.fd >= 0) return Status::Ok();
  file.fd = open(file.tempPath.c_str(), O_RDWR | O_CLOEXEC);
  return file.fd >= 0 ? Status::Ok() : ErrnoStatus(errno);
}

void CloseStaged(StagedFile& file) {
  if (file.fd >= 0) close(file.fd);
  file.fd = -1;
}

Status FinishStaged(StagedFile& file) {
  const int synced = fsync(file.fd) == 0 ? 0 : errno;
  const int closed = close(file.fd) == 0 ? 0 : errno;
  file.fd = -1;
  if (synced != 0) return ErrnoStatus(synced);
  if (closed != 0) return ErrnoStatus(closed);
  return Status::Ok();
}

Status CommitStaged(StagedFile& file) {
  if (std::rename(file.tempPath.c_str(), file.finalPath.c_str()) != 0) {
    Status status = ErrnoStatus(errno);
    DiscardStaged(file);
    return status;
  }
  file.tempPath.clear();
  return Status::Ok();
}

void DiscardStaged(StagedFile& file) {
  CloseStaged(file);
  if (!file.tempPath.empty()) unlink(file.tempPath.c_str());
  file.tempPath.clear();
}

}  // namespace recmgr
