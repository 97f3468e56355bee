#include "read_only_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine_state.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

// O_NONBLOCK: opening a FIFO or a device must not hang; S_ISREG rejects them.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

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

HeldFiles& Held() { return Engine().heldFiles; }

void Unlink(ReadOnlyFile* file) {
  HeldFiles& held = Held();
  (file->newer != nullptr ? file->newer->older : held.newest) = file->older;
  (file->older != nullptr ? file->older->newer : held.oldest) = file->newer;
  file->newer = file->older = nullptr;
  --held.count;
}

void LinkNewest(ReadOnlyFile* file) {
  HeldFiles& held = Held();
  file->older = held.newest;
  (held.newest != nullptr ? held.newest->newer : held.oldest) = file;
  held.newest = file;
  ++held.count;
}

void GiveBackOldest() {
  ReadOnlyFile* file = Held().oldest;
  if (file == nullptr) return;  // none held
  Unlink(file);
  close(file->fd);
  file->fd = -1;
}

// Opens `path`, giving back the descriptors of the files used least lately
// to stay within kMaxHeldDescriptors, or while the process has none left.
// Returns the descriptor, or -1 with errno set.
int OpenDescriptor(const char* path) {
  for (;;) {
    if (Held().count >= kMaxHeldDescriptors) GiveBackOldest();
    const int fd = open(path, kOpenFlags);
    if (fd >= 0 || (errno != EMFILE && errno != ENFILE) || Held().count == 0) return fd;
    GiveBackOldest();
  }
}

// Makes sure `file` holds its descriptor, as the file used last. False if
// its path no longer opens the same file.
bool Hold(ReadOnlyFile& file) {
  if (file.fd >= 0) {
    if (Held().newest != &file) {
      Unlink(&file);
      LinkNewest(&file);
    }
    return true;
  }
  const int fd = OpenDescriptor(file.path);
  if (fd < 0) return false;
  struct stat now;
  if (fstat(fd, &now) != 0 || now.st_dev != file.identity.st_dev || now.st_ino != file.identity.st_ino) {
    close(fd);
    return false;
  }
  file.fd = fd;
  LinkNewest(&file);
  return true;
}

}  // namespace

int16_t OpenReadOnlyFile(const char* path, ReadOnlyFile* file, uint8_t* head, size_t headCapacity,
                         size_t* headLength) {
  const int fd = OpenDescriptor(path);
  if (fd < 0) return StatusForOpenError(errno);
  file->fd = fd;
  LinkNewest(file);
  std::strncpy(file->path, path, kMaxPathBytes);
  if (fstat(fd, &file->identity) != 0) return RECMGR_STATUS_IO_ERROR;
  if (!S_ISREG(file->identity.st_mode)) return RECMGR_STATUS_NOT_A_RECMGR_FILE;
  file->size = static_cast<uint64_t>(file->identity.st_size);
  const size_t expected = file->size < headCapacity ? static_cast<size_t>(file->size) : headCapacity;
  if (!ReadExactly(*file, 0, head, expected)) return RECMGR_STATUS_IO_ERROR;
  *headLength = expected;
  return RECMGR_STATUS_SUCCESS;
}

bool ReadExactly(ReadOnlyFile& file, uint64_t offset, uint8_t* buffer, size_t length) {
  iovec part{buffer, length};
  return ReadExactlyInto(file, offset, &part, 1);
}

bool ReadExactlyInto(ReadOnlyFile& file, uint64_t offset, iovec* parts, int count) {
  if (!Hold(file)) return false;
  while (count > 0) {
    if (parts->iov_len == 0) {  // nothing to read into: done with it
      ++parts;
      --count;
      continue;
    }
    const ssize_t n = preadv(file.fd, parts, count, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    offset += static_cast<uint64_t>(n);
    // The kernel reads no more than the parts hold, so the parts last.
    for (size_t left = static_cast<size_t>(n); left > 0 && count > 0;) {
      const size_t used = left < parts->iov_len ? left : parts->iov_len;
      parts->iov_base = static_cast<uint8_t*>(parts->iov_base) + used;
      parts->iov_len -= used;
      left -= used;
      if (parts->iov_len == 0) {
        ++parts;
        --count;
      }
    }
  }
  return true;
}

bool IsUnchanged(ReadOnlyFile& file) {
  struct stat now;
  if (!Hold(file) || fstat(file.fd, &now) != 0) return false;
  const struct stat& then = file.identity;
  return now.st_size == then.st_size && SameTime(now.st_mtim, then.st_mtim);
}

void CloseReadOnlyFile(ReadOnlyFile* file) {
  if (file->fd < 0) return;
  Unlink(file);
  close(file->fd);
  file->fd = -1;
}

}  // namespace recmgr
