// Checksums made right again after a mutation, so that the fuzz targets
// reach the checks behind the page checksum too.
#ifndef TESTS_FUZZ_RESEAL_PAGES_H
#define TESTS_FUZZ_RESEAL_PAGES_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "byte_order.h"
#include "page_format.h"

namespace fuzzsupport {

// Recomputes the checksum of every whole page, at the page size the header
// claims (4 KiB if it claims none that is valid).
inline void ResealPages(std::vector<uint8_t>& file) {
  namespace format = recmgr::format;
  unsigned shift = file.size() > format::kHdrPageShift ? file[format::kHdrPageShift] : 0;
  if (shift < format::kMinPageShift || shift > format::kMaxPageShift) shift = format::kMinPageShift;
  const size_t pageSize = size_t{1} << shift;
  for (size_t start = 0; start + pageSize <= file.size(); start += pageSize)
    format::Store32(file.data() + start + format::kPageCrc,
                    format::PageCrc(file.data() + start, static_cast<uint32_t>(pageSize)));
}

}  // namespace fuzzsupport

#endif  // TESTS_FUZZ_RESEAL_PAGES_H
