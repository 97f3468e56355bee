// A table's data file as the dump sees it through the record manager: there
// or not, who guards it, its Stat, and its rows in stored order.
#ifndef DICTDUMP_DATA_FILE_H
#define DICTDUMP_DATA_FILE_H

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "morvel2/dictionary/dictionary_names.h"
#include "morvel2/dictionary/schema_reader.h"
#include "morvel2/engine_access/recmgr_file.h"

namespace dictdump {

enum class DataFileState {
  kMissing,         // no file at the location: written as NO FILE
  kDictionaryFile,  // the location is one of the dictionary files: NO FILE
  kOpen,            // opened; Stat read
  kUnreadable,      // refused or damaged: `status` says why
};

// Who may open the file: nobody needs a name (kNone), every open needs it
// (kGuardsAll), or only changes need it (kGuardsChanges: an open without a
// name succeeds, one with a wrong name is refused).
enum class OwnerMode { kNone, kGuardsAll, kGuardsChanges };

struct OwnerInfo {
  OwnerMode mode = OwnerMode::kNone;
  std::optional<std::string> name;  // when given on the command line and accepted
};

struct KeyStatistics {
  int number = 0;
  uint32_t uniqueValues = 0;
};

struct DataFile {
  DataFileState state = DataFileState::kMissing;
  int status = 0;
  OwnerInfo owner;
  std::unique_ptr<StatisticsRecord> statistics;  // when kOpen
  std::vector<int> keyNumbers;                   // ascending, when kOpen
  std::vector<KeyStatistics> keys;               // in Stat order, when kOpen
  RecmgrFile file;
};

// True when `path` opens offering `ownerName`.
bool OpensWith(const std::string& path, const std::string& ownerName);

// Who guards `path`, which opened without a name or not: a second open
// offering a name nobody would choose tells a file without owner (opens)
// from one that guards changes only (refused). `name` is kept when the file
// opens with it.
OwnerInfo LearnOwner(const std::string& path, bool opensWithoutName, const std::optional<std::string>& name);

// Opens the table's data file (offering no name first, then `dataPassword`)
// and reads its Stat.
void OpenDataFile(const TableSchema& table, const std::optional<std::string>& dataPassword,
                  const DictionaryFileIds& dictionaryFiles, DataFile* data);

// What reading a table's rows came to.
struct RowsRead {
  uint64_t count = 0;   // records handed on
  std::string failure;  // why not all of them, in words; empty when all were
};

// Hands every record of the data file to `take`, in stored order with Step
// First and Step Next, whatever its keys (the buffer holds the Stat's
// record length at least, zero-filled past what the record manager
// returned). All were read when the steps end at the end of the file after
// as many records as Stat counts, each at a physical position above the
// one before: a read error, a shortfall, more records than counted or a
// position met again (a record met twice) stops the reading with a failure.
RowsRead ReadRows(DataFile* data, const std::function<void(const std::byte*)>& take);

// The Stat's record length and record count.
uint32_t RecordLength(const DataFile& data);
uint32_t RecordCount(const DataFile& data);

}  // namespace dictdump

#endif  // DICTDUMP_DATA_FILE_H
