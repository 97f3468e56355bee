#include "morvel2/dictionary/dictionary_names.h"

#include <sys/stat.h>

#include "morvel2/dictionary/dictionary_records.h"

bool IsSystemTableName(std::string_view name) {
  return name.size() >= 2 && (name[0] == 'X' || name[0] == 'x') && name[1] == '$';
}

bool IsDictionaryFile(const std::string& location) {
  struct stat target {};
  if (stat(location.c_str(), &target) != 0) return false;
  for (const char* name : {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName}) {
    struct stat dictionary {};
    if (stat(name, &dictionary) == 0 && dictionary.st_dev == target.st_dev &&
        dictionary.st_ino == target.st_ino)
      return true;
  }
  return false;
}
