// Reading records and index entries of an open file. Each page is checked
// the first time it is used (checksum, type, key number, page number, entry
// count) and remembered as verified for the life of the handle; a damaged
// page makes every access to it fail. After kResidentBudgetBytes of touched
// pages the file's mapped pages are handed back to the page cache; returned
// pointers stay valid (the mapping itself stays).
#ifndef RECMGR_SRC_PAGE_ACCESS_H
#define RECMGR_SRC_PAGE_ACCESS_H

#include <cstdint>

#include "open_file.h"

namespace recmgr {

// The record numbered `recordNumber` (insertion order, from 0), or null if
// the number is out of range or its page is damaged.
const uint8_t* RecordAt(OpenFile& file, uint32_t recordNumber);

// Index entry `index` of `key` (key value, then the 4-byte record number),
// or null if the index is out of range or its page is damaged.
const uint8_t* EntryAt(OpenFile& file, const format::KeyDesc& key, uint32_t index);

}  // namespace recmgr

#endif  // RECMGR_SRC_PAGE_ACCESS_H
