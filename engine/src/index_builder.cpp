#include "index_builder.h"

#include <algorithm>
#include <numeric>

#include "key_compare.h"
#include "recmgr/recmgr.h"

namespace recmgr {

int16_t BuildIndex(const format::FileHeader& header, const format::KeyDesc& key, const uint8_t* records,
                   uint32_t recordCount, BuiltIndex* out) {
  const auto segments = header.SegmentsOf(key);
  const size_t length = key.length;
  out->keyValues.resize(size_t{recordCount} * length);
  for (uint32_t r = 0; r < recordCount; ++r) {
    format::ExtractKey(records + size_t{r} * header.recordLength, segments,
                       out->keyValues.data() + size_t{r} * length);
  }
  out->order.resize(recordCount);
  std::iota(out->order.begin(), out->order.end(), 0u);
  const uint8_t* values = out->keyValues.data();
  std::stable_sort(out->order.begin(), out->order.end(), [&](uint32_t a, uint32_t b) {
    return format::CompareKeys(values + a * length, values + b * length, segments) < 0;
  });

  out->uniqueValues = recordCount == 0 ? 0 : 1;
  for (uint32_t i = 1; i < recordCount; ++i) {
    const uint8_t* previous = values + size_t{out->order[i - 1]} * length;
    if (format::CompareKeys(previous, values + size_t{out->order[i]} * length, segments) == 0) {
      if (!key.duplicates) return RECMGR_STATUS_DUPLICATE_KEY;
    } else {
      ++out->uniqueValues;
    }
  }
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace recmgr
