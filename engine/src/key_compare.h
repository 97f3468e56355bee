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
#include <span>

#include "file_header.h"

namespace recmgr::format {

// Returns <0, 0 or >0 as key value `a` orders before, with or after `b`.
// REQUIRES: both hold the sum of the segments' lengths in bytes.
int CompareKeys(const uint8_t* a, const uint8_t* b, std::span<const SegmentDesc> segments);

// Copies the key value of `record` into `out`.
// REQUIRES: the segments lie inside the record; `out` holds the key length.
void ExtractKey(const uint8_t* record, std::span<const SegmentDesc> segments, uint8_t* out);

}  // namespace recmgr::format

#endif  // RECMGR_SRC_KEY_COMPARE_H
