#include "page_access.h"

#include "byte_order.h"
#include "page_format.h"

namespace recmgr {
namespace {

using format::Load16;
using format::Load32;

// Page `page`, checked once: null if it does not read back as expected.
const uint8_t* VerifiedPage(OpenFile& file, uint32_t page, format::PageType type,
                            uint8_t keyNumber, uint32_t entries) {
  const format::FileHeader& h = file.header;
  if (page >= h.pageCount) return nullptr;
  const uint8_t* p = file.map.data + (uint64_t{page} << h.pageShift);
  uint64_t& word = file.verifiedPages[page / 64];
  const uint64_t bit = uint64_t{1} << (page % 64);
  if ((word & bit) != 0) return p;
  if (Load32(p + format::kPageCrc) != format::PageCrc(p, h.pageSize)) return nullptr;
  if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
      Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != page ||
      Load32(p + format::kPageEntryCount) != entries) {
    return nullptr;
  }
  word |= bit;
  return p;
}

uint32_t EntriesOnPage(uint32_t total, uint32_t perPage, uint32_t pageInRun) {
  const uint64_t before = uint64_t{pageInRun} * perPage;
  const uint64_t left = total - before;
  return static_cast<uint32_t>(left < perPage ? left : perPage);
}

}  // namespace

const uint8_t* RecordAt(OpenFile& file, uint32_t recordNumber) {
  const format::FileHeader& h = file.header;
  if (recordNumber >= h.recordCount) return nullptr;
  const uint32_t pageInRun = recordNumber / h.recordsPerPage;
  const uint8_t* page =
      VerifiedPage(file, 1 + pageInRun, format::kRecordPage, 0,
                   EntriesOnPage(h.recordCount, h.recordsPerPage, pageInRun));
  if (page == nullptr) return nullptr;
  return page + format::kPageHeaderSize +
         size_t{recordNumber % h.recordsPerPage} * h.recordLength;
}

const uint8_t* EntryAt(OpenFile& file, const format::KeyDesc& key, uint32_t index) {
  const format::FileHeader& h = file.header;
  if (index >= h.recordCount) return nullptr;
  const uint32_t pageInRun = index / key.entriesPerPage;
  const uint8_t* page =
      VerifiedPage(file, key.firstIndexPage + pageInRun, format::kIndexPage, key.number,
                   EntriesOnPage(h.recordCount, key.entriesPerPage, pageInRun));
  if (page == nullptr) return nullptr;
  return page + format::kPageHeaderSize + size_t{index % key.entriesPerPage} * key.entrySize;
}

}  // namespace recmgr
