// Reads files back through the record manager's call entry, for checking
// what mkdict wrote.
#ifndef TESTS_MKDICT_RECMGR_READER_H
#define TESTS_MKDICT_RECMGR_READER_H

#include <cstdint>
#include <string>
#include <vector>

namespace mkdicttest {

// Every record of `path` in the order of key `keyNumber`, each as its bytes.
// Returns the first status other than 0 and 9 (end of file), or 0.
int16_t ReadRecords(const std::string& path, const std::string& owner, int keyNumber,
                    std::vector<std::string>* records);

// The Stat result of `path`: the file's attributes and one entry per key segment.
int16_t StatFile(const std::string& path, const std::string& owner, std::string* stat);

}  // namespace mkdicttest

#endif  // TESTS_MKDICT_RECMGR_READER_H
