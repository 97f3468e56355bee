// How the paths of a run are spelled and compared: where a location lands,
// and the one path each file has whatever links lead to it.
#ifndef MKDICT_FILE_PATHS_H
#define MKDICT_FILE_PATHS_H

#include <string>

namespace mkdict {

// Where a location lands: absolute as it is, relative under `folder`.
std::string ResolvePath(const std::string& folder, const std::string& location);

// Whether a relative location climbs out of the output folder with "..":
// only an absolute location may put a file elsewhere. (Symbolic links in
// the folder are the user's own and are followed.)
bool LeavesFolder(const std::string& location);

// The path `path` names once symbolic links and `.`/`..` are resolved, as
// far as it exists.
std::string CanonicalPath(const std::string& path);

// The absolute path of the folder entry `path` names: the folders above it
// resolved as CanonicalPath does, its last part kept even if a link.
std::string EntryPath(const std::string& path);

}  // namespace mkdict

#endif  // MKDICT_FILE_PATHS_H
