#include "data_file.h"

#include <cstring>

#include "morvel2/dictionary/dictionary_names.h"

namespace dictdump {

namespace {

// An owner name no one would choose: an engine that guards only changes
// refuses it, a file without an owner accepts it.
constexpr char kProbeName[] =
    "\x7f"
    "dictdump probe \x01\x02";

constexpr uint32_t kRecordBufferSize = 65536 + 16;

void ReadKeyNumbers(DataFile* data) {
  const StatisticsRecord& stat = *data->statistics;
  data->keyNumbers.clear();
  data->keys.clear();
  // Key entries follow the file entry, as many segments as there are, each
  // chained to the next by the more-segments flag.
  int entry = 0;
  for (int key = 0; key < StatIndexCount(stat) && entry < kKeySpecificationsRead; ++key) {
    data->keyNumbers.push_back(StatKeyNumber(stat, entry));
    data->keys.push_back({StatKeyNumber(stat, entry), StatUniqueValues(stat, entry)});
    while (entry < kKeySpecificationsRead &&
           (ReadStatistic<uint16_t>(stat, KeySpecificationOffset(entry) + RECMGR_STAT_SEGMENT_FLAGS) &
            RECMGR_SEGMENT_MORE_SEGMENTS))
      ++entry;
    ++entry;
  }
  std::sort(data->keyNumbers.begin(), data->keyNumbers.end());
}

}  // namespace

bool OpensWith(const std::string& path, const std::string& ownerName) {
  RecmgrFile file;
  return file.Open(path, ownerName) == RECMGR_STATUS_SUCCESS;
}

OwnerInfo LearnOwner(const std::string& path, bool opensWithoutName, const std::optional<std::string>& name) {
  OwnerInfo owner;
  if (opensWithoutName) {
    RecmgrFile probe;
    if (probe.Open(path, kProbeName) != RECMGR_STATUS_INVALID_OWNER_NAME) return owner;  // no owner
    owner.mode = OwnerMode::kGuardsChanges;
  } else {
    owner.mode = OwnerMode::kGuardsAll;
  }
  if (name && !name->empty() && OpensWith(path, *name)) owner.name = *name;
  return owner;
}

void OpenDataFile(const TableSchema& table, const std::optional<std::string>& dataPassword,
                  const DictionaryFileIds& dictionaryFiles, DataFile* data) {
  if (dictionaryFiles.Contains(table.location)) {
    data->state = DataFileState::kDictionaryFile;
    return;
  }
  // The name nobody chooses first: it opens a file without owner, the
  // common case, in one open.
  const std::string& path = table.location;
  int status = data->file.Open(path, kProbeName);
  if (status == RECMGR_STATUS_FILE_NOT_FOUND) {
    data->state = DataFileState::kMissing;
    return;
  }
  if (status == RECMGR_STATUS_INVALID_OWNER_NAME) {
    status = data->file.Open(path, "");
    if (status == RECMGR_STATUS_SUCCESS) {
      data->owner.mode = OwnerMode::kGuardsChanges;
      if (dataPassword && !dataPassword->empty() && OpensWith(path, *dataPassword))
        data->owner.name = dataPassword;
    } else if (status == RECMGR_STATUS_INVALID_OWNER_NAME) {
      data->owner.mode = OwnerMode::kGuardsAll;
      if (dataPassword && !dataPassword->empty()) {
        status = data->file.Open(path, *dataPassword);
        if (status == RECMGR_STATUS_SUCCESS) data->owner.name = dataPassword;
      }
    }
  }
  if (status == RECMGR_STATUS_SUCCESS) {
    // Stat clears the record itself: zeroing it here too would double the cost.
    data->statistics = std::make_unique_for_overwrite<StatisticsRecord>();
    status = data->file.Stat(data->statistics.get());
  }
  data->status = status;
  if (status != RECMGR_STATUS_SUCCESS) {
    data->state = DataFileState::kUnreadable;
    data->statistics.reset();
    data->file.Close();
    return;
  }
  data->state = DataFileState::kOpen;
  ReadKeyNumbers(data);
}

uint32_t RecordLength(const DataFile& data) {
  return data.statistics ? StatRecordLength(*data.statistics) : 0;
}

uint32_t RecordCount(const DataFile& data) { return data.statistics ? StatRecordCount(*data.statistics) : 0; }

RowsRead ReadRows(DataFile* data, const std::function<void(const std::byte*)>& take) {
  RowsRead read;
  if (data->state != DataFileState::kOpen) return read;
  const uint64_t expected = RecordCount(*data);
  std::vector<std::byte> record(kRecordBufferSize);
  uint32_t length = 0;
  int status = data->file.StepFirst(record.data(), kRecordBufferSize - 1, &length);
  uint32_t filled = 0;  // bytes a record has written so far
  int64_t lastPosition = -1;
  while (status == RECMGR_STATUS_SUCCESS) {
    const int64_t position = data->file.StepPosition();
    if (position <= lastPosition) {
      read.failure = "a record met twice";
      return read;
    }
    if (read.count == expected) {
      read.failure = "more records than the file counts";
      return read;
    }
    lastPosition = position;
    // Bytes past the record, which a shorter record leaves, read as zero.
    if (length < filled) std::memset(record.data() + length, 0, filled - length);
    filled = std::min(length, kRecordBufferSize);
    take(record.data());
    ++read.count;
    status = data->file.StepNext(record.data(), kRecordBufferSize - 1, &length);
  }
  if (status != RECMGR_STATUS_END_OF_FILE)
    read.failure = RecmgrStatusWords(status);
  else if (read.count < expected)
    read.failure = "the file ended before its last record";
  return read;
}

}  // namespace dictdump
