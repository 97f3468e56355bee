// Finding a key value among a key's sorted index entries.
#ifndef RECMGR_SRC_KEY_SEARCH_H
#define RECMGR_SRC_KEY_SEARCH_H

#include <cstdint>

#include "open_file.h"

namespace recmgr {

// Sets *out to the first index entry of `key` whose value is >= `value` in
// the key's order, or to the record count if none is. Returns
// RECMGR_STATUS_SUCCESS, or RECMGR_STATUS_IO_ERROR if a page it needs
// cannot be read.
int16_t LowerBound(OpenFile& file, const format::KeyDesc& key, const uint8_t* value, uint32_t* out);

}  // namespace recmgr

#endif  // RECMGR_SRC_KEY_SEARCH_H
