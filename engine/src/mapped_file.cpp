#include "mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
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

}  // namespace

int16_t MapFile(const char* path, MappedFile* out, uint8_t* head, size_t headCapacity, size_t* headLength) {
  // O_NONBLOCK: opening a FIFO or a device must not hang; S_ISREG rejects them.
  const int fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return StatusForOpenError(errno);
  struct stat info;
  int16_t status = RECMGR_STATUS_SUCCESS;
  MappedFile mapped;
  ssize_t headRead = 0;
  if (fstat(fd, &info) != 0) {
    status = RECMGR_STATUS_IO_ERROR;
  } else if (!S_ISREG(info.st_mode)) {
    status = RECMGR_STATUS_NOT_A_RECMGR_FILE;
  } else if (info.st_size > 0) {
    void* address = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    headRead = pread(fd, head, headCapacity, 0);
    if (address == MAP_FAILED) {
      status = RECMGR_STATUS_IO_ERROR;
    } else {
      mapped.data = static_cast<const uint8_t*>(address);
      mapped.size = static_cast<uint64_t>(info.st_size);
    }
  }
  close(fd);
  if (status == RECMGR_STATUS_SUCCESS) {
    *out = mapped;
    *headLength = headRead > 0 ? static_cast<size_t>(headRead) : 0;
  }
  return status;
}

void UnmapFile(MappedFile* file) {
  if (file->data != nullptr) munmap(const_cast<uint8_t*>(file->data), file->size);
  *file = MappedFile{};
}

}  // namespace recmgr
