// The names a dictionary gives a meaning of their own: its system tables and
// its own three files.
#ifndef MORVEL2_DICTIONARY_DICTIONARY_NAMES_H
#define MORVEL2_DICTIONARY_DICTIONARY_NAMES_H

#include <string>
#include <string_view>

// A system table's name starts with "X$" or "x$".
bool IsSystemTableName(std::string_view name);

// Whether `location` (relative to the current folder) is one of the
// dictionary files of the current folder: the same file by device and
// inode, whatever its spelling, case, link or hard link.
bool IsDictionaryFile(const std::string& location);

#endif  // MORVEL2_DICTIONARY_DICTIONARY_NAMES_H
