#include "read_only_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

int16_t StatusForOpenError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return RECMGR_STATUS_FILE_NOT_FOUND;
    case EACCES:
    case EPERM: return RECMGR_STATUS_ACCESS_DENIED;
    case ENAMETOOLONG: return RECMGR_STATUS_INVALID_FILE_NAME;
    default: return RECMGR_STATUS_IO_ERROR;
  }
}

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

}  // namespace

int16_t OpenReadOnlyFile(const char* path, ReadOnlyFile* out, uint8_t* head, size_t headCapacity,
                         size_t* headLength) {
  // O_NONBLOCK: opening a FIFO or a device must not hang; S_ISREG rejects them.
  const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return StatusForOpenError(errno);
  ReadOnlyFile file;
  file.fd = fd;
  if (fstat(fd, &file.identity) != 0) {
    CloseReadOnlyFile(&file);
    return RECMGR_STATUS_IO_ERROR;
  }
  if (!S_ISREG(file.identity.st_mode)) {
    CloseReadOnlyFile(&file);
    return RECMGR_STATUS_NOT_A_RECMGR_FILE;
  }
  file.size = static_cast<uint64_t>(file.identity.st_size);
  const size_t expected = file.size < headCapacity ? static_cast<size_t>(file.size) : headCapacity;
  if (!ReadExactly(file, 0, head, expected)) {
    CloseReadOnlyFile(&file);
    return RECMGR_STATUS_IO_ERROR;
  }
  *out = file;
  *headLength = expected;
  return RECMGR_STATUS_SUCCESS;
}

bool ReadExactly(const ReadOnlyFile& file, uint64_t offset, uint8_t* buffer, size_t length) {
  while (length > 0) {
    const ssize_t n = pread(file.fd, buffer, length, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer += n;
    offset += static_cast<uint64_t>(n);
    length -= static_cast<size_t>(n);
  }
  return true;
}

bool IsUnchanged(const ReadOnlyFile& file) {
  struct stat now;
  if (fstat(file.fd, &now) != 0) return false;
  const struct stat& then = file.identity;
  return now.st_size == then.st_size && SameTime(now.st_mtim, then.st_mtim);
}

void CloseReadOnlyFile(ReadOnlyFile* file) {
  if (file->fd >= 0) close(file->fd);
  *file = ReadOnlyFile{};
}

}  // namespace recmgr
