// Sorts one run of index entries (a key value, then a record number) into
// the index's order: key order, then record number.
#ifndef RECMGR_SRC_RUN_SORT_H
#define RECMGR_SRC_RUN_SORT_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "file_header.h"

namespace recmgr {

// Bytes of memory SortRun takes for each entry, besides the entry itself.
size_t SortBytesPerEntry(size_t keyLength);

// Puts in *sorted the numbers of the `count` entries at `entries` in the
// index's order. `entrySize` is the key length plus 4.
void SortRun(const uint8_t* entries, size_t count, size_t entrySize,
             std::span<const format::SegmentDesc> segments, std::vector<uint32_t>* sorted);

}  // namespace recmgr

#endif  // RECMGR_SRC_RUN_SORT_H
