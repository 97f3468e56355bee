// Building one key's index pages from the record pages already in the
// staged file: every record's key value and record number are sorted in
// runs that fit the sort memory, spilled to an unnamed temporary when there
// is more than one run, and merged into the key's index pages. Equal values
// stay in record-number order.
#ifndef RECMGR_SRC_INDEX_BUILDER_H
#define RECMGR_SRC_INDEX_BUILDER_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "file_header.h"
#include "recmgr/status.h"

namespace recmgr {

struct BuiltIndex {
  uint32_t uniqueValues = 0;
  bool clash = false;  // a key without duplicates holds a value twice
  uint32_t first = 0;  // the clash with the lowest second record number
  uint32_t second = 0;
};

// Reads the records of `fd`'s record pages (laid out as `header` says),
// writes the index pages of `key` at their place in `fd`, and fills *out.
// Sort runs go to an unnamed file in `spillFolder`, about `sortMemory`
// bytes of entries each.
Status BuildIndex(int fd, const format::FileHeader& header, const format::KeyDesc& key, size_t sortMemory,
                  const std::string& spillFolder, BuiltIndex* out);

}  // namespace recmgr

#endif  // RECMGR_SRC_INDEX_BUILDER_H
