#include "old_dictionary.h"

#include <sys/stat.h>

#include <set>

#include "file_paths.h"
#include "morvel2/common/fixed_text.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/engine_access/recmgr_file.h"
#include "morvel2/engine_access/recmgr_loader.h"
#include "recmgr/recmgr.h"

namespace mkdict {
namespace {

struct OldTable {
  std::string name;
  std::string location;
};

// Reads every record of PVFILE.DDF in `folder`. Returns a record-manager status.
int ReadOldTables(const std::string& folder, const std::string& ownerName, std::vector<OldTable>* tables) {
  // mkdict links the engine it writes with; the old dictionary is read
  // through that same engine.
  SetRecordManagerEntry(&RecmgrCall);
  RecmgrFile file;
  int status = file.Open(ResolvePath(folder, kFileDictionaryName), ownerName);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  FileRecord record;
  uint32_t length = 0;
  for (status = file.GetFirst(0, &record, sizeof record, &length); status == RECMGR_STATUS_SUCCESS;
       status = file.GetNext(&record, sizeof record, &length)) {
    if (length != sizeof record) continue;
    tables->push_back(
        {TrimmedFixedText(record.name, kNameWidth), TrimmedFixedText(record.location, kLocationWidth)});
  }
  return status == RECMGR_STATUS_END_OF_FILE ? RECMGR_STATUS_SUCCESS : status;
}

}  // namespace

std::vector<std::string> DataFilesLeftBehind(const Database& database, const std::string& folder,
                                             const std::string& ownerName) {
  struct stat info;
  if (stat(ResolvePath(folder, kFileDictionaryName).c_str(), &info) != 0) return {};
  std::vector<OldTable> tables;
  const int status = ReadOldTables(folder, ownerName, &tables);
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
