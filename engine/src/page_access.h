// Reading records and index entries of an open file. Each page is checked
// the first time it is used (checksum, type, key number, page number, entry
// count) and remembered as verified for the life of the handle; a damaged
// page makes every access to it fail. After kResidentBudgetBytes of touched
// pages the file's mapped pages are handed back to the page cache; returned
// pointers stay valid (the mapping itself stays).
//
// RecordAt and EntryAt run on every Get, so their common case (a page
// touched since the last release) is inline: one bit test.
#ifndef RECMGR_SRC_PAGE_ACCESS_H
#define RECMGR_SRC_PAGE_ACCESS_H

#include <cstdint>

#include "open_file.h"
#include "page_format.h"

namespace recmgr {

// Page `page`, the page `pageInRun` of a run of pages holding `total`
// entries, `perPage` to a page, touched for the first time since the last
// release: checked if it never was, and counted against the budget. Null if
// it does not read back as expected.
const uint8_t* TouchPage(OpenFile& file, uint32_t page, format::PageType type, uint8_t keyNumber,
                         uint32_t total, uint32_t perPage, uint32_t pageInRun);

inline const uint8_t* PageOfRun(OpenFile& file, uint32_t firstPage, uint32_t pageInRun, format::PageType type,
                                uint8_t keyNumber, uint32_t total, uint32_t perPage) {
  const uint32_t page = firstPage + pageInRun;
  if (page < file.header.pageCount && (file.residentPages[page / 64] >> (page % 64) & 1) != 0) {
    return file.map.data + (uint64_t{page} << file.header.pageShift);
  }
  return TouchPage(file, page, type, keyNumber, total, perPage, pageInRun);
}

// The record numbered `recordNumber` (insertion order, from 0), or null if
// the number is out of range or its page is damaged.
inline const uint8_t* RecordAt(OpenFile& file, uint32_t recordNumber) {
  const format::FileHeader& h = file.header;
  if (recordNumber >= h.recordCount) return nullptr;
  const uint32_t pageInRun = recordNumber / h.recordsPerPage;
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
  const uint32_t pageInRun = index / key.entriesPerPage;
  const uint8_t* page = PageOfRun(file, key.firstIndexPage, pageInRun, format::kIndexPage, key.number,
                                  h.recordCount, key.entriesPerPage);
  if (page == nullptr) return nullptr;
  return page + format::kPageHeaderSize + size_t{index - pageInRun * key.entriesPerPage} * key.entrySize;
}

}  // namespace recmgr

#endif  // RECMGR_SRC_PAGE_ACCESS_H
