// The header page in memory: the file's attributes, its keys and where each
// part of the file lives. The writer fills one and encodes it; the reader
// parses and checks one before it trusts any other byte of the file.
#ifndef RECMGR_SRC_FILE_HEADER_H
#define RECMGR_SRC_FILE_HEADER_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "page_format.h"

namespace recmgr::format {

struct SegmentDesc {
  uint16_t offset = 0;  // 0-based, in the record
  uint16_t length = 0;
  SegmentKind kind = kString;
  bool descending = false;
};

// Division of a 32-bit number by a divisor fixed when a file is opened, by
// one multiplication: every Get divides an entry's and a record's number by
// the count per page, and a division instruction waits tens of cycles.
// (With m = ceil(2^64 / d), n / d = (m * n) >> 64 for every 32-bit n.)
struct PageDivisor {
  uint32_t divisor = 1;
  uint64_t magic = 0;  // m, or 0 for a divisor of 1 (whose m needs 65 bits)

  void Set(uint32_t d) {
    divisor = d;
    magic = d > 1 ? UINT64_MAX / d + 1 : 0;
  }
  uint32_t Divide(uint32_t n) const {
#ifdef __SIZEOF_INT128__
    if (magic == 0) return n;
    return static_cast<uint32_t>((static_cast<unsigned __int128>(magic) * n) >> 64);
#else
    return n / divisor;
#endif
  }
};

struct KeyDesc {
  uint8_t number = 0;
  bool duplicates = false;
  uint8_t length = 0;         // key value bytes: sum of the segment lengths
  uint16_t firstSegment = 0;  // into FileHeader::segments
  uint8_t segmentCount = 0;
  uint32_t uniqueValues = 0;
  // Layout, filled by ComputeLayout():
  uint32_t entrySize = 0;  // length + kEntryRecordNumberSize
  uint32_t entriesPerPage = 0;
  PageDivisor entryPages;  // divides by entriesPerPage
  uint32_t firstIndexPage = 0;
  uint32_t indexPageCount = 0;
};

struct FileHeader {
  unsigned pageShift = kMinPageShift;
  uint32_t recordCount = 0;
  uint16_t recordLength = 0;
  uint16_t storedPageSize = 0;
  uint16_t fileFlags = 0;
  uint8_t fileVersion = 0;
  bool hasOwner = false;
  bool ownerGuardsChangesOnly = false;  // an open without an owner name may read
  uint8_t ownerSalt[kSaltSize] = {};
  uint8_t ownerHash[kOwnerHashSize] = {};
  std::vector<KeyDesc> keys;  // ascending key number
  std::vector<SegmentDesc> segments;
  // Layout, filled by ComputeLayout():
  uint32_t pageSize = 0;
  uint32_t recordsPerPage = 0;
  PageDivisor recordPages;  // divides by recordsPerPage
  uint32_t recordPageCount = 0;
  uint32_t pageCount = 0;

  std::span<const SegmentDesc> SegmentsOf(const KeyDesc& key) const {
    return {segments.data() + key.firstSegment, key.segmentCount};
  }
};

// Bytes the header page needs for `keyCount` keys and `segmentCount` segments.
size_t HeaderBytes(size_t keyCount, size_t segmentCount);

// True if the keys are well formed for the header's record length: numbers
// ascending within 0..127, at most 128 keys, 1..255 segments per key laid
// out in order in the segment table, every segment non-empty and inside the
// record, integer segments 1, 2, 4 or 8 bytes, key length the segments' sum
// and at most 255.
bool KeysAreValid(const FileHeader& header);

// The smallest page shift whose page holds the header, one record and one
// index entry of every key; 0 if none does.
unsigned ChoosePageShift(const FileHeader& header);

// Fills the layout fields from pageShift, recordCount, recordLength and the
// keys. Returns false if a record or the header does not fit a page or the
// file would exceed 2^32 - 1 pages. REQUIRES: KeysAreValid(header).
bool ComputeLayout(FileHeader* header);

// Writes the whole header page (pageSize bytes, zero-padded) and seals it.
// REQUIRES: ComputeLayout(&header) succeeded.
void EncodeHeaderPage(const FileHeader& header, uint8_t* page);

// Parses and checks the header page of a file of `fileSize` bytes whose
// first bytes are at `file`: at least min(fileSize, the page size the
// header names) of them. Returns RECMGR_STATUS_SUCCESS;
// RECMGR_STATUS_NOT_A_RECMGR_FILE for a bad magic, format version, page
// size, header checksum or header field, or a reserved field not zero;
// RECMGR_STATUS_IO_ERROR if the header is sound but the file's size is not
// the page count times the page size (truncated or extended).
int16_t ParseHeaderPage(const uint8_t* file, uint64_t fileSize, FileHeader* out);

}  // namespace recmgr::format

#endif  // RECMGR_SRC_FILE_HEADER_H
