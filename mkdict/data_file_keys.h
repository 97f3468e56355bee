// The keys of a table's data file, derived from the table's indexes: every
// index numbered 0 to 127 becomes the key of that number; other numbers live
// in the dictionary only.
#ifndef MKDICT_DATA_FILE_KEYS_H
#define MKDICT_DATA_FILE_KEYS_H

#include <vector>

#include "model.h"
#include "recmgr/writer.h"

namespace mkdict {

// True when `index` becomes a key of its table's data file.
bool IsDataFileKey(const Index& index);

// How the data file compares a segment on `column`: integer types of size 1,
// 2, 4 or 8 as signed or unsigned integers, string types as strings (case-
// insensitive when the segment says so), anything else byte-wise.
recmgr::SegmentType SegmentTypeFor(const Column& column, uint32_t segmentFlags);

// The keys of the table's data file, in index order.
std::vector<recmgr::KeySpec> DataFileKeys(const Table& table);

}  // namespace mkdict

#endif  // MKDICT_DATA_FILE_KEYS_H
