// Reading records and index entries of an open file. A page is read from
// the file with pread into the file's page cache and checked (checksum,
// type, key number, page number, entry count) every time it is read, and
// only then used; a damaged page makes every access to it fail. After each
// read from the file, before its bytes are used, the file must show no
// change in place since Open; once it does, every page access of the
// handle fails. A read that brought only pages read and checked before,
// each with the checksum it had then, is exempt: its bytes are those a
// cached page would have served.
//
// A returned pointer is valid until the next page access of the same file.
//
// RecordAt and EntryAt run on every Get, so their common case (a page in
// the cache) is inline: two compares.
#ifndef RECMGR_SRC_PAGE_ACCESS_H
#define RECMGR_SRC_PAGE_ACCESS_H

#include <cstdint>

#include "open_file.h"
#include "page_format.h"

namespace recmgr {

// Page `page`, the page `pageInRun` of a run of pages holding `total`
// entries, `perPage` to a page, not in the cache: read, checked and cached.
// Null if it cannot be read, does not read back as expected, or the file
// has changed.
const uint8_t* ReadPage(OpenFile& file, uint32_t page, format::PageType type, uint8_t keyNumber,
                        uint32_t total, uint32_t perPage, uint32_t pageInRun);

inline const uint8_t* PageOfRun(OpenFile& file, uint32_t firstPage, uint32_t pageInRun, format::PageType type,
                                uint8_t keyNumber, uint32_t total, uint32_t perPage) {
  const uint32_t page = firstPage + pageInRun;
  PageCache& cache = file.cache;
  const uint32_t set = page & cache.setMask;
  const uint32_t* slots = cache.pageInSlot + 2 * set;
  for (uint32_t way = 0; way < 2; ++way) {
    if (slots[way] == page) {
      cache.replaceNext[set] = static_cast<uint8_t>(way ^ 1);
      return cache.bytes.get() + (size_t{2 * set + way} << file.header.pageShift);
    }
  }
  return ReadPage(file, page, type, keyNumber, total, perPage, pageInRun);
}

// The record numbered `recordNumber` (insertion order, from 0), or null if
// the number is out of range or its page is damaged.
inline const uint8_t* RecordAt(OpenFile& file, uint32_t recordNumber) {
  const format::FileHeader& h = file.header;
  if (recordNumber >= h.recordCount) return nullptr;
  const uint32_t pageInRun = h.recordPages.Divide(recordNumber);
  const uint8_t* page =
      PageOfRun(file, 1, pageInRun, format::kRecordPage, 0, h.recordCount, h.recordsPerPage);
  if (page == nullptr) return nullptr;
  return page + format::kPageHeaderSize +
         size_t{recordNumber - pageInRun * h.recordsPerPage} * h.recordLength;
}

// Index entry `index` of `key` (key value, then the 4-byte record number),
// or null if the index is out of range or its page is damaged.
inline const uint8_t* EntryAt(OpenFile& file, const format::KeyDesc& key, uint32_t index) {
  const format::FileHeader& h = file.header;
  if (index >= h.recordCount) return nullptr;
  const uint32_t pageInRun = key.entryPages.Divide(index);
  const uint8_t* page = PageOfRun(file, key.firstIndexPage, pageInRun, format::kIndexPage, key.number,
                                  h.recordCount, key.entriesPerPage);
  if (page == nullptr) return nullptr;
  return page + format::kPageHeaderSize + size_t{index - pageInRun * key.entriesPerPage} * key.entrySize;
}

}  // namespace recmgr

#endif  // RECMGR_SRC_PAGE_ACCESS_H
