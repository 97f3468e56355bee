#include "page_access.h"

#include <algorithm>
#include <bit>
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

// Sizes the cache for the file at its first page read: kPageCacheBytes,
// or less for a file that has fewer pages. False if there is no memory
// for it.
bool PrepareCache(PageCache& cache, const format::FileHeader& h) {
  static_assert(kPageCacheBytes == kPageBlockBytes, "a full cache is one block of the page pool");
  const uint32_t fileSlots = std::bit_ceil(std::max(h.pageCount, kMinCachedPages));
  const uint32_t slots = std::max<uint32_t>(
      kMinCachedPages, std::min<uint32_t>(fileSlots, static_cast<uint32_t>(kPageCacheBytes >> h.pageShift)));
  const uint32_t sets = slots / 2;
  cache.bytes = PageMemory(size_t{slots} << h.pageShift);
  cache.slotPages.reset(new (std::nothrow) uint32_t[slots]);
  cache.pendingPage.reset(new (std::nothrow) uint32_t[slots]);
  cache.replaceNext.reset(new (std::nothrow) uint8_t[sets]());
  if (cache.bytes.get() == nullptr || cache.slotPages == nullptr || cache.pendingPage == nullptr ||
      cache.replaceNext == nullptr) {
    cache = PageCache{};
    return false;
  }
  if (h.pageCount <= kMaxKnownPages) cache.knownCrc.reset(new (std::nothrow) uint32_t[h.pageCount]());
  std::fill_n(cache.slotPages.get(), slots, kNoPage);
  std::fill_n(cache.pendingPage.get(), slots, kNoPage);
  cache.pageInSlot = cache.slotPages.get();
  cache.setMask = sets - 1;
  return true;
}

constexpr uint32_t kNoSlot = UINT32_MAX;

uint8_t* SlotBytes(const PageCache& cache, const format::FileHeader& h, uint32_t slot) {
  return cache.bytes.get() + (size_t{slot} << h.pageShift);
}

// The slot where `page` waits, read ahead and not yet checked, or kNoSlot.
uint32_t PendingSlot(const PageCache& cache, uint32_t page) {
  const uint32_t set = page & cache.setMask;
  for (uint32_t slot = 2 * set; slot < 2 * set + 2; ++slot)
    if (cache.pendingPage[slot] == page) return slot;
  return kNoSlot;
}

bool InCache(const PageCache& cache, uint32_t page) {
  const uint32_t set = page & cache.setMask;
  return cache.pageInSlot[2 * set] == page || cache.pageInSlot[2 * set + 1] == page ||
         PendingSlot(cache, page) != kNoSlot;
}

// The pages one read brings: `page` alone for a read far from any cached
// page (a binary search jumps about); near one, also the page before it if
// that is not cached and the pages after it, up to a cached one, the file's
// end or the walk's next length (see ReadWalk). Fewer pages than sets, so
// no two pages of one read share a set. Notes the read as its walk's last.
struct PageRun {
  uint32_t first;
  uint32_t count;
};

PageRun ReadAheadRun(PageCache& cache, const format::FileHeader& h, uint32_t page) {
  bool nearCached = false;
  for (uint32_t near = page > 2 ? page - 2 : 1; near <= page + 2 && near < h.pageCount; ++near)
    if (near != page && InCache(cache, near)) nearCached = true;
  ReadWalk* walk = nullptr;
  for (ReadWalk& w : cache.walks)
    if (w.end != kNoPage && page + 2 >= w.end && page <= w.end + 2) walk = &w;
  if (walk == nullptr) {
    walk = &cache.walks[cache.nextWalk];
    cache.nextWalk = (cache.nextWalk + 1) % kReadWalks;
    *walk = ReadWalk{};
  }
  PageRun run{page, 1};
  if (nearCached) {
    const uint32_t limit =
        std::min({kMaxReadAheadPages + 1, cache.setMask + 1, std::max(2u, 2 * walk->pages)});
    run.first = page > 1 && !InCache(cache, page - 1) ? page - 1 : page;
    uint32_t last = page;
    while (last + 1 < h.pageCount && last + 2 - run.first <= limit && !InCache(cache, last + 1)) ++last;
    run.count = last - run.first + 1;
  }
  *walk = ReadWalk{run.first + run.count, run.count};
  return run;
}

// True when every page of the run is one read and checked before with the
// checksum it now has: bytes already used, which a file changed in place
// since would not bring (a page rewritten there has another checksum).
bool AllPagesKnown(const PageCache& cache, const format::FileHeader& h, PageRun run, const uint32_t* slots) {
  if (cache.knownCrc == nullptr) return false;
  for (uint32_t i = 0; i < run.count; ++i) {
    const uint32_t crc = Load32(SlotBytes(cache, h, slots[i]) + format::kPageCrc);
    if (crc == 0 || cache.knownCrc[run.first + i] != crc) return false;
  }
  return true;
}

// Reads the pages of `run` with one read into the slots their sets replace
// next and marks them pending; returns the slot `page` landed in, or
// kNoSlot. The file must show no change after the read, unless it brought
// only pages known (AllPagesKnown): bytes of a file rewritten in place
// could pass every check of the page they land on.
uint32_t ReadRun(OpenFile& file, PageRun run, uint32_t page) {
  PageCache& cache = file.cache;
  const format::FileHeader& h = file.header;
  iovec parts[kMaxReadAheadPages + 1];
  uint32_t slots[kMaxReadAheadPages + 1];
  for (uint32_t i = 0; i < run.count; ++i) {
    const uint32_t set = (run.first + i) & cache.setMask;
    slots[i] = 2 * set + cache.replaceNext[set];
    cache.slotPages[slots[i]] = kNoPage;  // until the page below is read and checked
    cache.pendingPage[slots[i]] = kNoPage;
    parts[i] = iovec{SlotBytes(cache, h, slots[i]), h.pageSize};
  }
  const bool read =
      ReadExactlyInto(file.file, uint64_t{run.first} << h.pageShift, parts, static_cast<int>(run.count));
  const bool known = read && AllPagesKnown(cache, h, run, slots);
  if ((!known && !StillUnchanged(file)) || !read) return kNoSlot;
  for (uint32_t i = 0; i < run.count; ++i) {
    cache.pendingPage[slots[i]] = run.first + i;
    cache.replaceNext[(run.first + i) & cache.setMask] = static_cast<uint8_t>((slots[i] & 1) ^ 1);
  }
  return slots[page - run.first];
}
}  // namespace

const uint8_t* ReadPage(OpenFile& file, uint32_t page, format::PageType type, uint8_t keyNumber,
                        uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const format::FileHeader& h = file.header;
  if (page >= h.pageCount || file.changed) return nullptr;
  PageCache& cache = file.cache;
  if (cache.bytes.get() == nullptr && !PrepareCache(cache, h)) return nullptr;
  const uint32_t set = page & cache.setMask;
  uint32_t slot = PendingSlot(cache, page);
  if (slot == kNoSlot) slot = ReadRun(file, ReadAheadRun(cache, h, page), page);
  if (slot == kNoSlot) return nullptr;
  cache.pendingPage[slot] = kNoPage;
  uint8_t* p = SlotBytes(cache, h, slot);
  if (Load32(p + format::kPageCrc) != format::PageCrc(p, h.pageSize)) return nullptr;
  if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
      Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != page ||
      Load32(p + format::kPageEntryCount) != EntriesOnPage(total, perPage, pageInRun)) {
    return nullptr;
  }
  if (cache.knownCrc != nullptr) cache.knownCrc[page] = Load32(p + format::kPageCrc);
  cache.slotPages[slot] = page;
  cache.replaceNext[set] = static_cast<uint8_t>((slot & 1) ^ 1);
  return p;
}

}  // namespace recmgr
