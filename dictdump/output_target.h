// Where -o may write. dictdump never writes to a dictionary or a data file:
// a target that is one of them (the same file, by device and inode, under
// whatever name) or that starts like any record manager's file is refused
// before anything is written.
#ifndef DICTDUMP_OUTPUT_TARGET_H
#define DICTDUMP_OUTPUT_TARGET_H

#include <string>
#include <utility>
#include <vector>

namespace dictdump {

// Why the dump must not be written to `path`, or "" when it may be. Only an
// existing regular file (after symbolic links) can be refused. `guarded`
// holds the dictionary's files and its tables' data files, each path with
// what it is ("the data file of table ORDERS"); those that don't exist
// guard nothing.
using GuardedFile = std::pair<std::string, std::string>;
std::string RefusedOutput(const std::string& path, const std::vector<GuardedFile>& guarded);

}  // namespace dictdump

#endif  // DICTDUMP_OUTPUT_TARGET_H
