// Readable, lossless listings of the files mkdict writes, for comparing
// whole outputs: every byte of every dictionary record shows, and a data
// file's Stat result and records.
#ifndef TESTS_MKDICT_FILE_DUMP_H
#define TESTS_MKDICT_FILE_DUMP_H

#include <string>

#include "morvel2/dictionary/dictionary_records.h"

namespace mkdicttest {

// One line per record: PVFILE.DDF in table-id order, PVFIELD.DDF in field-id
// order, PVINDEX.DDF in table, index and segment order. A text field shows
// up to its last non-space character, quoted, with \xNN for anything not
// printable; reserved bytes show only when not zero. A file that can't be
// read shows its status.
std::string DumpDictionary(const std::string& folder, const std::string& owner = kDefaultOwnerName);

// The data file's Stat result (its attributes, then one line per key
// segment) and, when keyNumber >= 0, its records in that key's order as hex.
std::string DumpDataFile(const std::string& path, int keyNumber = -1, const std::string& owner = "");

// Bytes as lower-case hex, two digits each.
std::string Hex(const std::string& bytes);

}  // namespace mkdicttest

#endif  // TESTS_MKDICT_FILE_DUMP_H
