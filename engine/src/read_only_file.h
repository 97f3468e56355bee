// A record file opened read-only and read with pread, never mapped: a file
// truncated while open then gives a short read instead of a signal. The
// descriptor is held while the file is open; its size and modification time
// at open are kept, so that a change made in place while it is open is
// noticed rather than read as if it were the same file.
#ifndef RECMGR_SRC_READ_ONLY_FILE_H
#define RECMGR_SRC_READ_ONLY_FILE_H

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>

namespace recmgr {

struct ReadOnlyFile {
  int fd = -1;
  uint64_t size = 0;  // at open
  struct stat identity = {};
};

// Opens `path` (O_RDONLY, never blocking), notes its identity and reads the
// first bytes of the file into head[0, headCapacity), setting *headLength.
// Returns RECMGR_STATUS_SUCCESS; RECMGR_STATUS_FILE_NOT_FOUND if it or a
// folder on its way does not exist; RECMGR_STATUS_ACCESS_DENIED if
// permission is refused; RECMGR_STATUS_INVALID_FILE_NAME if the name is too
// long; RECMGR_STATUS_NOT_A_RECMGR_FILE if it is not a regular file;
// RECMGR_STATUS_IO_ERROR for anything else, a short first read included.
int16_t OpenReadOnlyFile(const char* path, ReadOnlyFile* out, uint8_t* head, size_t headCapacity,
                         size_t* headLength);

// Reads exactly `length` bytes at `offset`. False on an error or a short
// read (the file is shorter than it was).
bool ReadExactly(const ReadOnlyFile& file, uint64_t offset, uint8_t* buffer, size_t length);

// True if the file still has the size and modification time it had at
// open. Every write, truncation or extension sets the modification time
// (the change time is not used: renaming another file over this one, the
// safe way to replace it, changes this one's change time but not its
// bytes). A change that puts the modification time back exactly as it was
// is not seen here; the page checks still apply to it.
bool IsUnchanged(const ReadOnlyFile& file);

// Closes the descriptor. Safe on a file that was never opened.
void CloseReadOnlyFile(ReadOnlyFile* file);

}  // namespace recmgr

#endif  // RECMGR_SRC_READ_ONLY_FILE_H
