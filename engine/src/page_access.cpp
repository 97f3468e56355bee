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
  cache.bytes.reset(new (std::nothrow) uint8_t[size_t{slots} << h.pageShift]);
  if (cache.bytes == nullptr) return false;
  try {
    cache.pageInSlot.assign(slots, kNoSlot);
    cache.referenced.assign(slots, 0);
    cache.slotOfPage.assign(h.pageCount, kNoSlot);
  } catch (const std::bad_alloc&) {
    cache = PageCache{};
    return false;
  }
  return true;
}

// The slot to fill next, emptied: the first one from the clock hand on that
// was not used since the hand last passed it.
uint32_t FreeSlot(PageCache& cache) {
  const auto slots = static_cast<uint32_t>(cache.pageInSlot.size());
  uint32_t slot = cache.hand;
  while (cache.referenced[slot] != 0) {
    cache.referenced[slot] = 0;
    slot = slot + 1 == slots ? 0 : slot + 1;
  }
  cache.hand = slot + 1 == slots ? 0 : slot + 1;
  if (cache.pageInSlot[slot] != kNoSlot) cache.slotOfPage[cache.pageInSlot[slot]] = kNoSlot;
  cache.pageInSlot[slot] = kNoSlot;
  return slot;
}

}  // namespace

const uint8_t* ReadPage(OpenFile& file, uint32_t page, format::PageType type, uint8_t keyNumber,
                        uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const format::FileHeader& h = file.header;
  if (page >= h.pageCount || file.changed) return nullptr;
  PageCache& cache = file.cache;
  if (cache.bytes == nullptr && !PrepareCache(cache, h)) return nullptr;
  const uint32_t slot = FreeSlot(cache);
  uint8_t* p = cache.bytes.get() + (size_t{slot} << h.pageShift);
  // Read, then make sure the file is the one opened: bytes of a file
  // rewritten in place could pass every check of the page they land on.
  const bool read = ReadExactly(file.file, uint64_t{page} << h.pageShift, p, h.pageSize);
  if (!StillUnchanged(file) || !read) {
    return nullptr;
  }
  if (Load32(p + format::kPageCrc) != format::PageCrc(p, h.pageSize)) return nullptr;
  if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
      Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != page ||
      Load32(p + format::kPageEntryCount) != EntriesOnPage(total, perPage, pageInRun)) {
    return nullptr;
  }
  cache.pageInSlot[slot] = page;
  cache.slotOfPage[page] = slot;
  cache.referenced[slot] = 1;
  return p;
}

}  // namespace recmgr
