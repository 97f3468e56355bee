// One open file: the file read, its checked header, the pages read lately
// and the current position. Owned by the handle registry and reached only
// through a position block.
#ifndef RECMGR_SRC_OPEN_FILE_H
#define RECMGR_SRC_OPEN_FILE_H

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "file_header.h"
#include "page_memory.h"
#include "read_only_file.h"

namespace recmgr {

inline constexpr int kNoKey = -1;
// Bytes of pages an open file keeps after reading and checking them, and
// the fewest pages it keeps whatever their size (a power of two). Binary
// searches start from the same few index pages and a walk stays on one page
// for many records, so a small cache answers most reads: with a megabyte
// (256 pages of 4 KiB) a report of every table of a 2,000-table dictionary
// reads each page it needs about once; with 256 KiB, a third more often.
inline constexpr size_t kPageCacheBytes = size_t{1} << 20;
inline constexpr uint32_t kMinCachedPages = 8;
inline constexpr uint32_t kMaxReadAheadPages = 16;   // pages one read brings besides the one asked for
inline constexpr uint32_t kNoPage = UINT32_MAX;      // no file has this page: the count is below it
inline constexpr uint32_t kMaxKnownPages = 1 << 16;  // files with more keep no checksums (256 KiB)

// The current record: reached through a key (keyIndex, entry) or, by Step
// First and Step Next, in stored order (stepping, record). At most one of
// the two is set; a Get positions by key only, a Step physically only.
struct Position {
  int keyIndex = kNoKey;  // into header.keys; kNoKey: no key position
  uint32_t entry = 0;     // index entry of the current record
  bool stepping = false;  // the current record was reached by a Step
  uint32_t record = 0;    // its record number, while stepping
};

// Pages read from the file and checked, two-way set associative: page p
// may sit in either slot of set p mod the set count, and a miss replaces
// the one of the two used less lately. Allocated at the first page read, so
// a file opened only for its statistics costs no page memory; until then
// every lookup misses on one empty set. A file of fewer pages than the
// cache holds gets as many slots as it has pages (a power of two).
//
// A read next to a page already read (a walk through records or index
// entries) brings the next few pages along in the same system call.
// Those wait in their slots as pending, unchecked, and are checked, like
// every page, when first asked for; only then do they count as cached.
// A walk the cache reads ahead for: where its last read ended and how many
// pages that read brought. A read that goes on from it brings twice as many,
// up to the limit, so a long walk soon reads many pages at a time while a
// lookup that touches two or three neighbouring pages wastes none.
struct ReadWalk {
  uint32_t end = kNoPage;
  uint32_t pages = 0;
};
inline constexpr size_t kReadWalks = 4;  // walks followed at once: records and a key or two

struct PageCache {
  static constexpr uint32_t kEmptySet[2] = {kNoPage, kNoPage};
  const uint32_t* pageInSlot = kEmptySet;   // per slot (2 per set): its checked page or kNoPage
  uint32_t setMask = 0;                     // set count - 1
  std::unique_ptr<uint32_t[]> slotPages;    // what pageInSlot points to once allocated
  std::unique_ptr<uint32_t[]> pendingPage;  // per slot: a page read ahead, not yet checked, or kNoPage
  std::unique_ptr<uint8_t[]> replaceNext;   // per set: the slot (0 or 1) a miss replaces
  PageMemory bytes;                         // the slots' pages, one after another
  // Per page of the file (up to kMaxKnownPages, else null): the checksum it
  // had when it was last read and checked, 0 before that. A page read again
  // with the same checksum brings the bytes already used, as a cached page
  // would, so that read needs no look at the file's size and time.
  std::unique_ptr<uint32_t[]> knownCrc;
  ReadWalk walks[kReadWalks];
  uint32_t nextWalk = 0;  // the walk a new one replaces
};

// The last key search's value and answer. A file never changes while open
// (a change fails every later read), so asking again for the same value of
// the same key has the same answer: a report looks up one table's rows by
// table id once for each of its indexes.
struct LastSearch {
  int keyNumber = kNoKey;
  uint8_t value[format::kMaxKeyLength];
  uint32_t answer = 0;
};

struct OpenFile {
  ReadOnlyFile file;
  format::FileHeader header;
  int16_t keyIndexByNumber[format::kMaxKeyNumber + 1];  // kNoKey where undeclared
  PageCache cache;
  bool changed = false;  // the file was found changed since Open: every read fails
  Position position;
  LastSearch lastSearch;

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
