// One open file: its mapping, its checked header, which pages have been
// verified and which are mapped in, and the current position. Owned by the
// handle registry and reached only through a position block.
#ifndef RECMGR_SRC_OPEN_FILE_H
#define RECMGR_SRC_OPEN_FILE_H

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "file_header.h"
#include "mapped_file.h"

namespace recmgr {

inline constexpr int kNoKey = -1;
inline constexpr size_t kMaxPathBytes = 255;  // the key buffer's limit, NUL included
// Bytes of pages an open file touches before it hands its mapped pages back
// to the page cache, so that a scan of a large file keeps a small resident
// set. The kernel maps pages in chunks of up to a megabyte around each
// touch, so the resident set is a few times this.
inline constexpr uint64_t kResidentBudgetBytes = uint64_t{1} << 20;

struct Position {
  int keyIndex = kNoKey;  // into header.keys; kNoKey: no current record
  uint32_t entry = 0;     // index entry of the current record
};

struct OpenFile {
  MappedFile map;
  format::FileHeader header;
  int16_t keyIndexByNumber[format::kMaxKeyNumber + 1];  // kNoKey where undeclared
  std::vector<uint64_t> verifiedPages;                  // one bit per page
  std::vector<uint64_t> residentPages;                  // touched since the last release
  uint64_t residentBytes = 0;                           // page bytes touched since then
  Position position;
  char path[kMaxPathBytes + 1] = {};

  OpenFile() = default;
  ~OpenFile() { UnmapFile(&map); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
};

// Maps `path`, checks its header and the owner name. Reads only the header
// page. Returns RECMGR_STATUS_SUCCESS and sets *out, or the status of
// MapFile(), of ParseHeaderPage(), or RECMGR_STATUS_INVALID_OWNER_NAME.
// REQUIRES: path is NUL-terminated within kMaxPathBytes bytes.
int16_t OpenFileAt(const char* path, std::string_view ownerName, std::unique_ptr<OpenFile>* out);

}  // namespace recmgr

#endif  // RECMGR_SRC_OPEN_FILE_H
