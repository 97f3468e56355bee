#include "page_access.h"

#include <algorithm>
#include <new>

#include "byte_order.h"

namespace recmgr {
namespace {

using format::Load16;
using format::Load32;

uint32_t EntriesOnPage(uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const uint64_t before = uint64_t{pageInRun} * perPage;
  const uint64_t left = total - before;
  return static_cast<uint32_t>(left < perPage ? left : perPage);
}

// Sizes the cache for the file at its first page read. False if there is
// no memory for it.
bool PrepareCache(PageCache& cache, const format::FileHeader& h) {
  const uint32_t slots =
      std::max<uint32_t>(kMinCachedPages, static_cast<uint32_t>(kPageCacheBytes >> h.pageShift));
  const uint32_t sets = slots / 2;
  cache.bytes.reset(new (std::nothrow) uint8_t[size_t{slots} << h.pageShift]);
  cache.slotPages.reset(new (std::nothrow) uint32_t[slots]);
  cache.replaceNext.reset(new (std::nothrow) uint8_t[sets]());
  if (cache.bytes == nullptr || cache.slotPages == nullptr || cache.replaceNext == nullptr) {
    cache = PageCache{};
    return false;
  }
  std::fill_n(cache.slotPages.get(), slots, kNoPage);
  cache.pageInSlot = cache.slotPages.get();
  cache.setMask = sets - 1;
  return true;
}

}  // namespace

const uint8_t* ReadPage(OpenFile& file, uint32_t page, format::PageType type, uint8_t keyNumber,
                        uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const format::FileHeader& h = file.header;
  if (page >= h.pageCount || file.changed) return nullptr;
  PageCache& cache = file.cache;
  if (cache.bytes == nullptr && !PrepareCache(cache, h)) return nullptr;
  const uint32_t set = page & cache.setMask;
  const uint32_t slot = 2 * set + cache.replaceNext[set];
  cache.slotPages[slot] = kNoPage;  // until the page below is read and checked
  uint8_t* p = cache.bytes.get() + (size_t{slot} << h.pageShift);
  // Read, then make sure the file is the one opened: bytes of a file
  // rewritten in place could pass every check of the page they land on.
  const bool read = ReadExactly(file.file, uint64_t{page} << h.pageShift, p, h.pageSize);
  if (!StillUnchanged(file) || !read) return nullptr;
  if (Load32(p + format::kPageCrc) != format::PageCrc(p, h.pageSize)) return nullptr;
  if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
      Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != page ||
      Load32(p + format::kPageEntryCount) != EntriesOnPage(total, perPage, pageInRun)) {
    return nullptr;
  }
  cache.slotPages[slot] = page;
  cache.replaceNext[set] ^= 1;
  return p;
}

}  // namespace recmgr
