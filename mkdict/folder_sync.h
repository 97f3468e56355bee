// Making folder entries durable: a rename or a new file survives a power
// loss only once the folder that holds the entry is synced.
#ifndef MKDICT_FOLDER_SYNC_H
#define MKDICT_FOLDER_SYNC_H

#include <set>
#include <string>

namespace mkdict {

// The folder that holds `path`'s entry ("." for a bare name).
std::string FolderOf(const std::string& path);

// Syncs each folder. Returns false with *failure naming the first that fails.
bool SyncFolders(const std::set<std::string>& folders, std::string* failure);

}  // namespace mkdict

#endif  // MKDICT_FOLDER_SYNC_H
