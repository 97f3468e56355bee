#include "morvel2/dictionary/dictionary_names.h"

#include <sys/stat.h>

#include "morvel2/dictionary/dictionary_records.h"

bool IsSystemTableName(std::string_view name) {
  return name.size() >= 2 && (name[0] == 'X' || name[0] == 'x') && name[1] == '$';
}

DictionaryFileIds::DictionaryFileIds() {
  const char* const names[] = {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName};
  for (int i = 0; i < 3; ++i) {
    struct stat file {};
    files_[i] = stat(names[i], &file) == 0 ? Id{true, file.st_dev, file.st_ino} : Id{false, 0, 0};
  }
}

bool DictionaryFileIds::Contains(const std::string& location) const {
  struct stat target {};
  if (stat(location.c_str(), &target) != 0) return false;
  for (const Id& file : files_)
    if (file.present && file.device == target.st_dev && file.inode == target.st_ino) return true;
  return false;
}
