#include "data_file_check.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/engine_access/data_file_statistics.h"
#include "morvel2/engine_access/recmgr_file.h"
#include "morvel2/engine_access/request_slot.h"
#include "morvel2/engine_access/statistics_record.h"
#include "problem_lines.h"
#include "table_checks.h"

namespace dictcheck {
namespace {

StatisticsRecord gStatistics;

// One data-file key as Stat describes it.
struct KeySegmentStat {
  uint16_t position;  // 1-based
  uint16_t length;
  uint16_t flags;
};
struct KeyStat {
  int firstEntry;
  std::vector<KeySegmentStat> segments;
};

bool IsDictionaryFile(const std::string& location) {
  const std::string name = location.starts_with("./") ? location.substr(2) : location;
  return name == kFileDictionaryName || name == kFieldDictionaryName || name == kIndexDictionaryName;
}

struct StatisticsRead {
  int openStatus;
  int statStatus;
  int filledEntries;  // key entries Stat filled
};

// Opens, Stats and closes the file in the data-file slot, as the report does.
StatisticsRead ReadStatistics(const std::string& location) {
  char path[kLocationWidth + 1];
  std::snprintf(path, sizeof path, "%s", location.c_str());
  StatisticsRead read{OpenDataFile(kDataFileSlot, path), RECMGR_STATUS_SUCCESS, 0};
  if (read.openStatus == RECMGR_STATUS_SUCCESS) {
    read.statStatus = StatDataFile(kDataFileSlot, &gStatistics, kStatisticsRecordSize);
    // Stat returns the bytes it filled as the slot's data length.
    const int filled = gSlotTable[kDataFileSlot].dataLength;
    constexpr int kRoom = (kStatisticsRecordSize - RECMGR_STAT_FILE_SPEC_SIZE) / RECMGR_STAT_KEY_SPEC_SIZE;
    read.filledEntries =
        std::clamp((filled - RECMGR_STAT_FILE_SPEC_SIZE) / RECMGR_STAT_KEY_SPEC_SIZE, 0, kRoom);
  }
  CloseSlot(kDataFileSlot);
  return read;
}

// The keys by number, each with its segments, walking the key entries
// through the "more segments" flag; stops at the end of what Stat filled.
std::map<int, KeyStat> ReadKeys(int filledEntries) {
  std::map<int, KeyStat> keys;
  int entry = 0;
  for (int key = 0; key < StatIndexCount(gStatistics) && entry < filledEntries; ++key) {
    const int number = StatKeyNumber(gStatistics, entry);
    KeyStat stat{entry, {}};
    while (entry < filledEntries) {
      const int at = KeySpecificationOffset(entry++);
      const KeySegmentStat segment{ReadStatistic<uint16_t>(gStatistics, at + RECMGR_STAT_SEGMENT_POSITION),
                                   ReadStatistic<uint16_t>(gStatistics, at + RECMGR_STAT_SEGMENT_LENGTH),
                                   ReadStatistic<uint16_t>(gStatistics, at + RECMGR_STAT_SEGMENT_FLAGS)};
      stat.segments.push_back(segment);
      if (!(segment.flags & RECMGR_SEGMENT_MORE_SEGMENTS)) break;
    }
    keys.emplace(number, std::move(stat));
  }
  return keys;
}

std::string Place(int64_t position, int64_t size) {
  return "position " + std::to_string(position) + " size " + std::to_string(size);
}

void CompareKey(const std::string& table, int32_t number, const std::vector<const Segment*>& segments,
                const KeyStat& key, const std::map<int32_t, const Column*>& columns) {
  const std::string index = "index " + std::to_string(number);
  if (key.firstEntry >= kKeySpecificationsRead)
    ReportProblem(table, index + ": its key comes after the " + std::to_string(kKeySpecificationsRead) +
                             " key entries the report reads, so its unique values show as unknown");
  const bool duplicates = segments.front()->flags & kSegmentDuplicates;
  if (duplicates != bool(key.segments.front().flags & RECMGR_SEGMENT_DUPLICATES))
    ReportProblem(table, index + ": duplicates allowed in " +
                             (duplicates ? std::string("PVINDEX.DDF") : std::string("the data file")) +
                             " only");
  if (segments.size() != key.segments.size()) {
    ReportProblem(table, index + ": " + std::to_string(segments.size()) + " segments in PVINDEX.DDF, " +
                             std::to_string(key.segments.size()) + " in the data file's key");
    return;
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    const std::string segment = index + " segment " + std::to_string(i + 1);
    const KeySegmentStat& stat = key.segments[i];
    auto column = columns.find(segments[i]->fieldId);
    if (column != columns.end() &&
        (int64_t{column->second->offset} + 1 != stat.position || column->second->size != stat.length))
      ReportProblem(table, segment + ": field " + column->second->name + " at " +
                               Place(int64_t{column->second->offset} + 1, column->second->size) +
                               ", the data file's key segment at " + Place(stat.position, stat.length));
    const bool descending = segments[i]->flags & kSegmentDescending;
    if (descending != bool(stat.flags & RECMGR_SEGMENT_DESCENDING))
      ReportProblem(table, segment + ": descending in " +
                               (descending ? std::string("PVINDEX.DDF") : std::string("the data file")) +
                               " only");
  }
}

void CompareWithDictionary(const std::string& table, const std::vector<Column>& columns,
                           const std::vector<Segment>& segments, int filledEntries) {
  int64_t fieldsEnd = 0;
  std::map<int32_t, const Column*> columnsById;
  for (const Column& column : columns) {
    fieldsEnd = std::max(fieldsEnd, int64_t{column.offset} + column.size);
    columnsById.emplace(column.fieldId, &column);
  }
  if (!columns.empty() && StatRecordLength(gStatistics) != fieldsEnd)
    ReportProblem(table, "record length " + std::to_string(StatRecordLength(gStatistics)) +
                             " in the data file, but the fields end at " + std::to_string(fieldsEnd));

  // The indexes a data-file key can carry, each with its segments in order.
  std::map<int32_t, std::vector<const Segment*>> indexes;
  for (const Segment& segment : segments)
    if (segment.indexNumber >= 0 && segment.indexNumber <= kLastKeyNumber)
      indexes[segment.indexNumber].push_back(&segment);
  const std::map<int, KeyStat> keys = ReadKeys(filledEntries);
  if (StatIndexCount(gStatistics) != indexes.size())
    ReportProblem(table, std::to_string(StatIndexCount(gStatistics)) + " keys in the data file, " +
                             std::to_string(indexes.size()) + " indexes in PVINDEX.DDF");
  for (const auto& [number, indexSegments] : indexes) {
    auto key = keys.find(number);
    if (key == keys.end())
      ReportProblem(table, "index " + std::to_string(number) + " has no key in the data file");
    else
      CompareKey(table, number, indexSegments, key->second, columnsById);
  }
  for (const auto& [number, key] : keys)
    if (!indexes.count(number))
      ReportProblem(table, "key " + std::to_string(number) + " of the data file has no index in PVINDEX.DDF");
}

}  // namespace

void CheckDataFile(const Table& table, const std::vector<Column>& columns,
                   const std::vector<Segment>& segments) {
  if (IsDictionaryFile(table.location)) return;
  const StatisticsRead read = ReadStatistics(table.location);
  if (read.openStatus != RECMGR_STATUS_SUCCESS) {
    ReportProblem(table.name, "data file " + table.location + ": " + RecmgrStatusWords(read.openStatus));
  } else if (read.statStatus != RECMGR_STATUS_SUCCESS) {
    ReportProblem(table.name, "data file " + table.location +
                                  ": statistics can't be read: " + RecmgrStatusWords(read.statStatus));
  } else {
    CompareWithDictionary(table.name, columns, segments, read.filledEntries);
  }
}

}  // namespace dictcheck
