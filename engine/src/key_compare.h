// Key values and their order. A key value is its segments' bytes, taken from
// the record and concatenated in segment order. Segments compare one after
// the other; the first that differs decides.
//   signed integer:   little-endian two's complement, 1, 2, 4 or 8 bytes
//   unsigned integer: little-endian, 1, 2, 4 or 8 bytes
//   string:           byte-wise, unsigned bytes
//   case-insensitive: byte-wise after folding ASCII 'a'..'z' to 'A'..'Z'
// A descending segment inverts its own comparison.
#ifndef RECMGR_SRC_KEY_COMPARE_H
#define RECMGR_SRC_KEY_COMPARE_H

#include <cstdint>
#include <cstring>
#include <span>

#include "file_header.h"

namespace recmgr::format {

// Returns <0, 0 or >0 as key value `a` orders before, with or after `b`.
// REQUIRES: both hold the sum of the segments' lengths in bytes.
int CompareKeys(const uint8_t* a, const uint8_t* b, std::span<const SegmentDesc> segments);

// Copies the key value of `record` into `out`.
// REQUIRES: the segments lie inside the record; `out` holds the key length.
void ExtractKey(const uint8_t* record, std::span<const SegmentDesc> segments, uint8_t* out);

// Copies `length` bytes. Segments are mostly a few bytes long, where a call
// to memcpy costs more than the copy: integers are one move, strings up to
// 16 bytes two overlapping ones.
inline void CopySegmentBytes(uint8_t* out, const uint8_t* in, size_t length) {
  switch (length) {
    case 1: *out = *in; return;
    case 2: std::memcpy(out, in, 2); return;
    case 4: std::memcpy(out, in, 4); return;
    case 8: std::memcpy(out, in, 8); return;
    default: break;
  }
  if (length > 8 && length <= 16) {
    uint64_t head, tail;
    std::memcpy(&head, in, 8);
    std::memcpy(&tail, in + length - 8, 8);
    std::memcpy(out, &head, 8);
    std::memcpy(out + length - 8, &tail, 8);
  } else {
    std::memcpy(out, in, length);
  }
}

// ExtractKey() inline, for the Get path that every call of a report takes.
inline void ExtractKeyInline(const uint8_t* record, std::span<const SegmentDesc> segments, uint8_t* out) {
  for (const SegmentDesc& seg : segments) {
    CopySegmentBytes(out, record + seg.offset, seg.length);
    out += seg.length;
  }
}

}  // namespace recmgr::format

#endif  // RECMGR_SRC_KEY_COMPARE_H
