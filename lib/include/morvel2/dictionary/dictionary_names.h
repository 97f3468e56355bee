// The names a dictionary gives a meaning of their own: its system tables and
// its own three files.
#ifndef MORVEL2_DICTIONARY_DICTIONARY_NAMES_H
#define MORVEL2_DICTIONARY_DICTIONARY_NAMES_H

#include <sys/types.h>

#include <string>
#include <string_view>

// A system table's name starts with "X$" or "x$".
bool IsSystemTableName(std::string_view name);

// The current folder's three dictionary files by device and inode, taken
// when made: a run that asks about every table's location pays one stat a
// location instead of four.
class DictionaryFileIds {
 public:
  DictionaryFileIds();

  // Whether `location` (relative to the current folder) is one of them:
  // the same file whatever its spelling, case, link or hard link.
  bool Contains(const std::string& location) const;

 private:
  struct Id {
    bool present;
    dev_t device;
    ino_t inode;
  };
  Id files_[3];
};

#endif  // MORVEL2_DICTIONARY_DICTIONARY_NAMES_H
