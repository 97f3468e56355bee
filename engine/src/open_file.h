// One open file: its descriptor, its checked header, the pages read lately
// and the current position. Owned by the handle registry and reached only
// through a position block.
#ifndef RECMGR_SRC_OPEN_FILE_H
#define RECMGR_SRC_OPEN_FILE_H

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "file_header.h"
#include "read_only_file.h"

namespace recmgr {

inline constexpr int kNoKey = -1;
inline constexpr size_t kMaxPathBytes = 255;  // the key buffer's limit, NUL included
// Bytes of pages an open file keeps after reading and checking them, and
// the fewest pages it keeps whatever their size. Binary searches start from
// the same few index pages and a walk stays on one page for many records,
// so a small cache answers most reads.
inline constexpr size_t kPageCacheBytes = size_t{256} << 10;
inline constexpr uint32_t kMinCachedPages = 8;
inline constexpr uint32_t kNoSlot = UINT32_MAX;

struct Position {
  int keyIndex = kNoKey;  // into header.keys; kNoKey: no current record
  uint32_t entry = 0;     // index entry of the current record
};

// Pages read from the file and checked, in slots of one page each, replaced
// in clock order. Allocated at the first page read, so a file opened only
// for its statistics costs no page memory.
struct PageCache {
  std::vector<uint32_t> slotOfPage;  // per page of the file: its slot or kNoSlot; empty until the first read
  std::vector<uint32_t> pageInSlot;  // per slot: its page or kNoSlot
  std::vector<uint8_t> referenced;   // per slot: used since the clock hand last passed
  std::unique_ptr<uint8_t[]> bytes;  // the slots' pages, one after another
  uint32_t hand = 0;
};

struct OpenFile {
  ReadOnlyFile file;
  format::FileHeader header;
  int16_t keyIndexByNumber[format::kMaxKeyNumber + 1];  // kNoKey where undeclared
  PageCache cache;
  bool changed = false;  // the file was found changed since Open: every read fails
  Position position;
  char path[kMaxPathBytes + 1] = {};

  OpenFile() = default;
  ~OpenFile() { CloseReadOnlyFile(&file); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
};

// Opens `path`, checks its header and the owner name. Reads only the header
// page. Returns RECMGR_STATUS_SUCCESS and sets *out, or the status of
// OpenReadOnlyFile(), of ParseHeaderPage(), or RECMGR_STATUS_INVALID_OWNER_NAME.
// REQUIRES: path is NUL-terminated within kMaxPathBytes bytes.
int16_t OpenFileAt(const char* path, std::string_view ownerName, std::unique_ptr<OpenFile>* out);

// False if the file was changed in place since Open (see IsUnchanged()) or
// was found so before; the first time, marks it changed for good and drops
// its cached pages.
bool StillUnchanged(OpenFile& file);

}  // namespace recmgr

#endif  // RECMGR_SRC_OPEN_FILE_H
