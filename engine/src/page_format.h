// The page layout of the engine's files, spelled out once. A file is a run
// of equal-sized pages: the header page (page 0), the record pages, then the
// index pages of each key in ascending key number. docs/file-format.md is the
// prose version of this header; keep the two in step.
#ifndef RECMGR_SRC_PAGE_FORMAT_H
#define RECMGR_SRC_PAGE_FORMAT_H

#include <cstddef>
#include <cstdint>

#include "recmgr/writer.h"

namespace recmgr::format {

inline constexpr uint8_t kMagic[8] = {'R', 'M', 'G', 'R', 'F', 'I', 'L', 'E'};
inline constexpr uint16_t kFormatVersion = 1;

// Page size is 1 << shift, shift in [kMinPageShift, kMaxPageShift].
inline constexpr unsigned kMinPageShift = 12;  // 4 KiB
inline constexpr unsigned kMaxPageShift = 17;  // 128 KiB: holds a 65,535-byte record

inline constexpr unsigned kMaxKeys = 128;
inline constexpr unsigned kMaxKeyNumber = 127;
using ::recmgr::kMaxKeyLength;
inline constexpr unsigned kMaxOwnerName = 255;  // the owner name without its NUL
inline constexpr size_t kSaltSize = 16;
inline constexpr size_t kOwnerHashSize = 32;

// --- Page header: the first 16 bytes of every page -------------------------
inline constexpr size_t kPageHeaderSize = 16;
inline constexpr size_t kPageCrc = 0;          // 4: CRC-32C of page bytes [4, page size)
inline constexpr size_t kPageType = 4;         // 1: PageType
inline constexpr size_t kPageKeyNumber = 5;    // 1: key number on index pages, else 0
inline constexpr size_t kPageReserved = 6;     // 2: zero
inline constexpr size_t kPageNumber = 8;       // 4: the page's own number
inline constexpr size_t kPageEntryCount = 12;  // 4: records or index entries held; 0 on page 0
static_assert(kPageEntryCount + 4 == kPageHeaderSize);

enum PageType : uint8_t { kHeaderPage = 1, kRecordPage = 2, kIndexPage = 3 };

// --- Header page (page 0) fields, offsets from the start of the file -------
inline constexpr size_t kHdrMagic = 16;            // 8
inline constexpr size_t kHdrFormatVersion = 24;    // 2
inline constexpr size_t kHdrPageShift = 26;        // 1
inline constexpr size_t kHdrKeyCount = 27;         // 1: 0..128
inline constexpr size_t kHdrPageCount = 28;        // 4: all pages, page 0 included
inline constexpr size_t kHdrRecordCount = 32;      // 4
inline constexpr size_t kHdrRecordLength = 36;     // 2: > 0
inline constexpr size_t kHdrStoredPageSize = 38;   // 2: attribute reported by Stat
inline constexpr size_t kHdrFileFlags = 40;        // 2: attribute reported by Stat
inline constexpr size_t kHdrFileVersion = 42;      // 1: attribute reported by Stat
inline constexpr size_t kHdrOwnerFlag = 43;        // 1: one of kOwner*
inline constexpr size_t kHdrSegmentCount = 44;     // 2: entries in the segment table
inline constexpr size_t kHdrReserved1 = 46;        // 2: zero
inline constexpr size_t kHdrRecordPageCount = 48;  // 4
inline constexpr size_t kHdrReserved2 = 52;        // 4: zero
inline constexpr size_t kHdrOwnerSalt = 56;        // 16
inline constexpr size_t kHdrOwnerHash = 72;        // 32: SHA-256(salt || name)
inline constexpr size_t kHdrKeyTable = 104;        // key descriptors, then segments
static_assert(kHdrOwnerSalt + kSaltSize == kHdrOwnerHash);

// The owner flag: no owner name; the owner name guards every open; it
// guards only changes, so an open without an owner name may read.
inline constexpr uint8_t kOwnerNone = 0;
inline constexpr uint8_t kOwnerGuardsAll = 1;
inline constexpr uint8_t kOwnerGuardsChanges = 2;
static_assert(kHdrOwnerHash + kOwnerHashSize == kHdrKeyTable);

// Key descriptor: kKeyDescSize bytes each, ascending key number.
inline constexpr size_t kKeyDescSize = 16;
inline constexpr size_t kKeyNumber = 0;           // 1
inline constexpr size_t kKeyFlags = 1;            // 1: kKeyFlagDuplicates
inline constexpr size_t kKeySegmentCount = 2;     // 1: >= 1
inline constexpr size_t kKeyLength = 3;           // 1: sum of segment lengths
inline constexpr size_t kKeyFirstSegment = 4;     // 2: index into the segment table
inline constexpr size_t kKeyReserved = 6;         // 2: zero
inline constexpr size_t kKeyUniqueValues = 8;     // 4
inline constexpr size_t kKeyFirstIndexPage = 12;  // 4
inline constexpr uint8_t kKeyFlagDuplicates = 0x01;

// Segment descriptor: kSegmentDescSize bytes each, keys' segments in order.
inline constexpr size_t kSegmentDescSize = 8;
inline constexpr size_t kSegOffset = 0;    // 2: 0-based offset in the record
inline constexpr size_t kSegLength = 2;    // 2: >= 1
inline constexpr size_t kSegType = 4;      // 1: SegmentKind
inline constexpr size_t kSegFlags = 5;     // 1: kSegFlagDescending
inline constexpr size_t kSegReserved = 6;  // 2: zero
inline constexpr uint8_t kSegFlagDescending = 0x01;

enum SegmentKind : uint8_t {
  kSignedInteger = 0,
  kUnsignedInteger = 1,
  kString = 2,
  kCaseInsensitiveString = 3,
};

// An index entry is the key value (key length bytes) then the record number (4).
inline constexpr size_t kEntryRecordNumberSize = 4;

// CRC-32C of page bytes [4, pageSize): the value stored at kPageCrc.
uint32_t PageCrc(const uint8_t* page, uint32_t pageSize);

// Fills the page header and the CRC. REQUIRES: the payload is final.
void SealPage(uint8_t* page, uint32_t pageSize, PageType type, uint8_t keyNumber, uint32_t pageNumber,
              uint32_t entryCount);

}  // namespace recmgr::format

#endif  // RECMGR_SRC_PAGE_FORMAT_H
