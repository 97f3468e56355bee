#include "old_dictionary.h"

#include <sys/stat.h>

#include <cstring>
#include <set>

#include "location_checks.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/engine_access/request_slot.h"
#include "output_files.h"
#include "recmgr/recmgr.h"

namespace mkdict {
namespace {

struct OldTable {
  std::string name;
  std::string location;
};

std::string Trimmed(const char* text, size_t width) {
  std::string value(text, strnlen(text, width));
  value.erase(value.find_last_not_of(' ') + 1);
  return value;
}

// Reads every record of PVFILE.DDF in `folder`. Returns a record-manager status.
int16_t ReadOldTables(const std::string& folder, const std::string& ownerName,
                      std::vector<OldTable>* tables) {
  const std::string path = ResolvePath(folder, kFileDictionaryName);
  if (path.size() >= kKeyLength) return RECMGR_STATUS_INVALID_FILE_NAME;
  char position[RECMGR_POSITION_BLOCK_SIZE] = {};
  char key[kKeyBufferSize] = {};
  std::memcpy(key, path.c_str(), path.size());
  std::string owner = ownerName + '\0';
  uint32_t length = static_cast<uint32_t>(owner.size());
  int16_t status = RecmgrCall(RECMGR_OP_OPEN, position, owner.data(), &length, key, kKeyLength, 0);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  FileRecord record;
  for (uint16_t operation = RECMGR_OP_GET_FIRST;; operation = RECMGR_OP_GET_NEXT) {
    length = sizeof record;
    status = RecmgrCall(operation, position, &record, &length, key, kKeyLength, 0);
    if (status != RECMGR_STATUS_SUCCESS) break;
    if (length != sizeof record) continue;
    tables->push_back({Trimmed(record.name, kNameWidth), Trimmed(record.location, kLocationWidth)});
  }
  length = 0;
  RecmgrCall(RECMGR_OP_CLOSE, position, key, &length, key, kKeyLength, 0);
  return status == RECMGR_STATUS_END_OF_FILE ? int16_t{RECMGR_STATUS_SUCCESS} : status;
}

}  // namespace

std::vector<std::string> DataFilesLeftBehind(const Database& database, const std::string& folder,
                                             const std::string& ownerName) {
  struct stat info;
  if (stat(ResolvePath(folder, kFileDictionaryName).c_str(), &info) != 0) return {};
  std::vector<OldTable> tables;
  const int16_t status = ReadOldTables(folder, ownerName, &tables);
  if (status != RECMGR_STATUS_SUCCESS) {
    return {"cannot list the tables of the dictionary it replaces (record manager status " +
            std::to_string(status) + "); data files only that dictionary names stay in place"};
  }
  std::set<std::string> written;
  for (const char* name : {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName}) {
    written.insert(CanonicalPath(ResolvePath(folder, name)));
  }
  for (const Table& table : database.tables) {
    if (table.hasDataFile) written.insert(CanonicalPath(ResolvePath(folder, table.location)));
  }
  std::vector<std::string> lines;
  for (const OldTable& table : tables) {
    if (table.location.empty()) continue;
    const std::string path = ResolvePath(folder, table.location);
    if (written.count(CanonicalPath(path)) != 0 || stat(path.c_str(), &info) != 0) continue;
    lines.push_back("data file " + table.location + " of table " + table.name +
                    ", which the new description does not name, stays in place");
  }
  return lines;
}

}  // namespace mkdict
