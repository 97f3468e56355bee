// Where the files of a run land, checked before anything is written: no two
// files on one path, none on a folder or inside another file's path, and
// nothing replaced that the record manager did not write.
#ifndef MKDICT_LOCATION_CHECKS_H
#define MKDICT_LOCATION_CHECKS_H

#include <string>

#include "model.h"

namespace mkdict {

// The path `path` names once symbolic links and `.`/`..` are resolved, as
// far as it exists.
std::string CanonicalPath(const std::string& path);

// The absolute path of the folder entry `path` names: the folders above it
// resolved as CanonicalPath does, its last part kept even if a link.
std::string EntryPath(const std::string& path);

// Fails at the first table whose data file would land where a dictionary
// file, the commit journal or another table's data file lands (by any
// spelling, link or hard link), on a folder, on a symbolic link, or inside
// another file's path.
bool CheckLocations(const Database& database, const std::string& folder, DescriptionError* error);

// Fails with *failure naming the first existing target that the record
// manager did not write (no RMGRFILE header), whatever `replace` says; then,
// unless `replace`, at an existing dictionary or data file.
bool CheckExistingFiles(const Database& database, const std::string& folder, bool replace,
                        std::string* failure);

}  // namespace mkdict

#endif  // MKDICT_LOCATION_CHECKS_H
