// Building one key's index in memory: every record's key value, sorted in
// the key's order with equal values in insertion order.
#ifndef RECMGR_SRC_INDEX_BUILDER_H
#define RECMGR_SRC_INDEX_BUILDER_H

#include <cstdint>
#include <vector>

#include "file_header.h"

namespace recmgr {

struct BuiltIndex {
  std::vector<uint8_t> keyValues;  // record r's key value at r * key.length
  std::vector<uint32_t> order;     // record numbers in key order
  uint32_t uniqueValues = 0;
};

// Sorts the `recordCount` records at `records` (header.recordLength bytes
// each) by `key`. Returns RECMGR_STATUS_SUCCESS, or
// RECMGR_STATUS_DUPLICATE_KEY if the key allows no duplicates and two
// records hold equal values.
int16_t BuildIndex(const format::FileHeader& header, const format::KeyDesc& key, const uint8_t* records,
                   uint32_t recordCount, BuiltIndex* out);

}  // namespace recmgr

#endif  // RECMGR_SRC_INDEX_BUILDER_H
