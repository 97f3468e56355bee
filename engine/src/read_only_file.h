// A record file opened read-only and read with pread, never mapped: a file
// truncated while open then gives a short read instead of a signal. Its size
// and modification time at open are kept, so that a change made in place
// while it is open is noticed rather than read as if it were the same file.
//
// An open file holds its descriptor while it is one of the
// kMaxHeldDescriptors files used last; beyond that, or when the process is
// out of descriptors, the file used least lately gives its descriptor back
// and opens its path again at its next read. That reopened file must be the
// same file (device and inode), else the file counts as changed. So a
// program may keep thousands of files open.
//
// Not thread-safe: every function REQUIRES the caller to hold the engine's
// call lock (see recmgr_call.cpp).
#ifndef RECMGR_SRC_READ_ONLY_FILE_H
#define RECMGR_SRC_READ_ONLY_FILE_H

#include <sys/stat.h>
#include <sys/uio.h>

#include <cstddef>
#include <cstdint>

namespace recmgr {

inline constexpr size_t kMaxPathBytes = 255;  // the key buffer's limit, NUL included
inline constexpr size_t kMaxHeldDescriptors = 128;

struct ReadOnlyFile {
  int fd = -1;  // -1 while the descriptor is given back
  uint64_t size = 0;
  struct stat identity = {};  // at open
  char path[kMaxPathBytes + 1] = {};
  ReadOnlyFile* newer = nullptr;  // neighbours among the files holding a descriptor
  ReadOnlyFile* older = nullptr;

  ReadOnlyFile() = default;
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
};

// The files holding a descriptor, newest (used last) first. Part of the
// engine's state (engine_state.h).
struct HeldFiles {
  ReadOnlyFile* newest = nullptr;
  ReadOnlyFile* oldest = nullptr;
  size_t count = 0;
};

// Opens `path` (O_RDONLY, never blocking) as `*file`, notes its identity and
// reads its first bytes into head[0, headCapacity), setting *headLength.
// Returns RECMGR_STATUS_SUCCESS; RECMGR_STATUS_FILE_NOT_FOUND if it or a
// folder on its way does not exist; RECMGR_STATUS_ACCESS_DENIED if
// permission is refused; RECMGR_STATUS_INVALID_FILE_NAME if the name is too
// long; RECMGR_STATUS_NOT_A_RECMGR_FILE if it is not a regular file;
// RECMGR_STATUS_IO_ERROR for anything else, a short first read included.
// REQUIRES: *file is newly made and stays where it is until
// CloseReadOnlyFile(file); path is NUL-terminated within kMaxPathBytes.
int16_t OpenReadOnlyFile(const char* path, ReadOnlyFile* file, uint8_t* head, size_t headCapacity,
                         size_t* headLength);

// Reads exactly `length` bytes at `offset`. False on an error, a short read
// (the file is shorter than it was) or a path that no longer opens the file.
bool ReadExactly(ReadOnlyFile& file, uint64_t offset, uint8_t* buffer, size_t length);

// Reads the bytes from `offset` on into `parts[0, count)` in turn, filling
// each exactly, with one system call in the common case. False as
// ReadExactly(). The parts' bases and lengths are used up as they fill.
bool ReadExactlyInto(ReadOnlyFile& file, uint64_t offset, iovec* parts, int count);

// True if the file still has the size and modification time it had at
// open. Every write, truncation or extension sets the modification time
// (the change time is not used: renaming another file over this one, the
// safe way to replace it, changes this one's change time but not its
// bytes). A change that puts the modification time back exactly as it was
// is not seen here; the page checks still apply to it. False too if the
// file gave its descriptor back and its path no longer opens it.
bool IsUnchanged(ReadOnlyFile& file);

// Closes the descriptor. Safe on a file that was never opened.
void CloseReadOnlyFile(ReadOnlyFile* file);

}  // namespace recmgr

#endif  // RECMGR_SRC_READ_ONLY_FILE_H
