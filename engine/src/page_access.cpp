#include "page_access.h"

#include <sys/mman.h>

#include <algorithm>

#include "byte_order.h"

namespace recmgr {
namespace {

using format::Load16;
using format::Load32;

bool TestBit(const std::vector<uint64_t>& bits, uint32_t n) { return (bits[n / 64] >> (n % 64) & 1) != 0; }

void SetBit(std::vector<uint64_t>& bits, uint32_t n) { bits[n / 64] |= uint64_t{1} << (n % 64); }

uint32_t EntriesOnPage(uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const uint64_t before = uint64_t{pageInRun} * perPage;
  const uint64_t left = total - before;
  return static_cast<uint32_t>(left < perPage ? left : perPage);
}

// Hands the file's pages back to the page cache. They stay verified; the
// next touch maps them in again.
void ReleaseResidentPages(OpenFile& file) {
  madvise(const_cast<uint8_t*>(file.map.data), file.map.size, MADV_DONTNEED);
  std::fill(file.residentPages.begin(), file.residentPages.end(), 0);
  file.residentBytes = 0;
}

}  // namespace

const uint8_t* TouchPage(OpenFile& file, uint32_t page, format::PageType type, uint8_t keyNumber,
                         uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const format::FileHeader& h = file.header;
  if (page >= h.pageCount) return nullptr;
  const uint8_t* p = file.map.data + (uint64_t{page} << h.pageShift);
  if (!TestBit(file.verifiedPages, page)) {
    if (Load32(p + format::kPageCrc) != format::PageCrc(p, h.pageSize)) return nullptr;
    if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
        Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != page ||
        Load32(p + format::kPageEntryCount) != EntriesOnPage(total, perPage, pageInRun)) {
      return nullptr;
    }
    SetBit(file.verifiedPages, page);
  }
  if (file.residentBytes >= kResidentBudgetBytes) ReleaseResidentPages(file);
  SetBit(file.residentPages, page);
  file.residentBytes += h.pageSize;
  return p;
}

}  // namespace recmgr
