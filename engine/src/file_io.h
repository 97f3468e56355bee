// Positioned reads and writes on a file descriptor with every fault told in
// words, the unnamed temporaries that hold sort runs, and numbered
// temporaries.
#ifndef RECMGR_SRC_FILE_IO_H
#define RECMGR_SRC_FILE_IO_H

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "recmgr/status.h"

namespace recmgr {

// The status for a failed system call with errno `error`: ENOENT and
// ENOTDIR are RECMGR_STATUS_FILE_NOT_FOUND, EACCES, EPERM and EROFS
// RECMGR_STATUS_ACCESS_DENIED, anything else RECMGR_STATUS_IO_ERROR; the
// message is the system's text in lower case ("no space left on device").
Status ErrnoStatus(int error);

// Writes data[0, n) at `offset`.
Status WriteAt(int fd, uint64_t offset, const uint8_t* data, size_t n);

// Reads exactly n bytes at `offset`; a file that ends before is an error.
Status ReadAt(int fd, uint64_t offset, uint8_t* data, size_t n);

// Opens a read-write file in `folder` that has no name, so that nothing is
// left of it once it is closed, even after a crash.
Status OpenUnnamedFile(const std::string& folder, int* fd);

// Creates the read-write file `prefix` + N with `mode`, for the first N from
// 0 that no file has: O_EXCL gives each name to one file at a time,
// whichever thread or process asks. Sets *fd and *name; when the first 100
// are all taken, fails with `exhausted` as its message.
Status CreateNumberedFile(const std::string& prefix, mode_t mode, const std::string& exhausted, int* fd,
                          std::string* name);

// The folder of `path` ("." for a bare name).
std::string FolderOf(const std::string& path);

// The folder of `path` if it exists, else its nearest ancestor that does.
std::string NearestExistingFolder(const std::string& path);

}  // namespace recmgr

#endif  // RECMGR_SRC_FILE_IO_H
