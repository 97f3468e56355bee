// A whole file mapped read-only. The descriptor is closed as soon as the
// mapping exists, so open handles cost no file descriptors.
#ifndef RECMGR_SRC_MAPPED_FILE_H
#define RECMGR_SRC_MAPPED_FILE_H

#include <cstddef>
#include <cstdint>

namespace recmgr {

struct MappedFile {
  const uint8_t* data = nullptr;  // null for an empty file
  uint64_t size = 0;
};

// Opens `path` (O_RDONLY, never blocking) and maps it; also reads the first
// bytes of the file into head[0, headCapacity) with one read and sets
// *headLength, so the header can be checked without touching the mapping (a
// file opened only for its statistics then never maps a page in). Returns
// RECMGR_STATUS_SUCCESS; RECMGR_STATUS_FILE_NOT_FOUND if it or a folder on
// its way does not exist; RECMGR_STATUS_ACCESS_DENIED if permission is
// refused; RECMGR_STATUS_INVALID_FILE_NAME if the name is too long;
// RECMGR_STATUS_NOT_A_RECMGR_FILE if it is not a regular file;
// RECMGR_STATUS_IO_ERROR for anything else.
int16_t MapFile(const char* path, MappedFile* out, uint8_t* head, size_t headCapacity, size_t* headLength);

// Releases the mapping. Safe on an empty MappedFile.
void UnmapFile(MappedFile* file);

}  // namespace recmgr

#endif  // RECMGR_SRC_MAPPED_FILE_H
