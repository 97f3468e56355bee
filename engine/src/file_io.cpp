#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace recmgr {
namespace {

constexpr int kNameAttempts = 100;

}  // namespace

Status ErrnoStatus(int error) {
  int16_t code = RECMGR_STATUS_IO_ERROR;
  if (error == ENOENT || error == ENOTDIR) code = RECMGR_STATUS_FILE_NOT_FOUND;
  if (error == EACCES || error == EPERM || error == EROFS) code = RECMGR_STATUS_ACCESS_DENIED;
  std::string text = std::strerror(error);
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
  return {code, std::move(text)};
}

Status WriteAt(int fd, uint64_t offset, const uint8_t* data, size_t n) {
  while (n > 0) {
    const ssize_t written = pwrite(fd, data, n, static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return ErrnoStatus(errno);
    if (written == 0) return ErrnoStatus(ENOSPC);
    data += written;
    offset += static_cast<uint64_t>(written);
    n -= static_cast<size_t>(written);
  }
  return Status::Ok();
}

Status ReadAt(int fd, uint64_t offset, uint8_t* data, size_t n) {
  while (n > 0) {
    const ssize_t got = pread(fd, data, n, static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ErrnoStatus(errno);
    if (got == 0) return {RECMGR_STATUS_IO_ERROR, "a temporary file ended early"};
    data += got;
    offset += static_cast<uint64_t>(got);
    n -= static_cast<size_t>(got);
  }
  return Status::Ok();
}

Status OpenUnnamedFile(const std::string& folder, int* fd) {
  *fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (*fd >= 0) return Status::Ok();
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return ErrnoStatus(errno);
  // No unnamed files on this file system: a named one, unlinked at once.
  std::string name;
  Status status = CreateNumberedFile(folder + "/.sort." + std::to_string(getpid()) + ".", 0600,
                                     "no free name for a sort file in " + folder, fd, &name);
  if (status.IsOk()) unlink(name.c_str());
  return status;
}

Status CreateNumberedFile(const std::string& prefix, mode_t mode, const std::string& exhausted, int* fd,
                          std::string* name) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    *name = prefix + std::to_string(attempt);
    *fd = open(name->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (*fd >= 0) return Status::Ok();
    if (errno != EEXIST && errno != EINTR) return ErrnoStatus(errno);
  }
  return {RECMGR_STATUS_IO_ERROR, exhausted};
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NearestExistingFolder(const std::string& path) {
  std::string folder = FolderOf(path);
  struct stat info;
  while (stat(folder.c_str(), &info) != 0 && folder != "." && folder != "/") folder = FolderOf(folder);
  return folder;
}

}  // namespace recmgr
