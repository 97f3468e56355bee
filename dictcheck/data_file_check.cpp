#include "data_file_check.h"

#include <algorithm>
#include <map>
#include <string>

#include "file_integrity.h"
#include "file_stat.h"
#include "morvel2/dictionary/dictionary_names.h"
#include "morvel2/engine_access/recmgr_file.h"
#include "morvel2/engine_access/statistics_record.h"
#include "table_checks.h"

namespace dictcheck {
namespace {

std::string Place(int64_t position, int64_t size) {
  return "position " + std::to_string(position) + " size " + std::to_string(size);
}

void CompareKey(const std::string& table, int32_t number, const std::vector<const Segment*>& segments,
                const KeyStat& key, const std::map<int32_t, const Column*>& columns, ProblemLines& problems) {
  const std::string index = "index " + std::to_string(number);
  if (key.firstEntry >= kKeySpecificationsRead)
    problems.Report(table, index + ": its key comes after the " + std::to_string(kKeySpecificationsRead) +
                               " key entries the report reads, so its unique values show as unknown");
  const bool duplicates = segments.front()->flags & kSegmentDuplicates;
  if (duplicates != bool(key.segments.front().flags & RECMGR_SEGMENT_DUPLICATES))
    problems.Report(table, index + ": duplicates allowed in " +
                               (duplicates ? std::string("PVINDEX.DDF") : std::string("the data file")) +
                               " only");
  if (segments.size() != key.segments.size()) {
    problems.Report(table, index + ": " + std::to_string(segments.size()) + " segments in PVINDEX.DDF, " +
                               std::to_string(key.segments.size()) + " in the data file's key");
    return;
  }
  for (size_t i = 0; i < segments.size(); ++i) {
    const std::string segment = index + " segment " + std::to_string(i + 1);
    const KeySegmentStat& stat = key.segments[i];
    auto column = columns.find(segments[i]->fieldId);
    if (column != columns.end() &&
        (int64_t{column->second->offset} + 1 != stat.position || column->second->size != stat.length))
      problems.Report(table, segment + ": field " + column->second->name + " at " +
                                 Place(int64_t{column->second->offset} + 1, column->second->size) +
                                 ", the data file's key segment at " + Place(stat.position, stat.length));
    const bool descending = segments[i]->flags & kSegmentDescending;
    if (descending != bool(stat.flags & RECMGR_SEGMENT_DESCENDING))
      problems.Report(table, segment + ": descending in " +
                                 (descending ? std::string("PVINDEX.DDF") : std::string("the data file")) +
                                 " only");
  }
}

void CompareWithDictionary(const std::string& table, const std::vector<Column>& columns,
                           const std::vector<Segment>& segments, const FileStat& stat,
                           ProblemLines& problems) {
  int64_t fieldsEnd = 0;
  std::map<int32_t, const Column*> columnsById;
  for (const Column& column : columns) {
    fieldsEnd = std::max(fieldsEnd, int64_t{column.offset} + column.size);
    columnsById.emplace(column.fieldId, &column);
  }
  for (const Column& column : columns)
    if (column.offset >= 0 && column.size >= 0 && int64_t{column.offset} + column.size > stat.recordLength)
      problems.Report(table,
                      "field " + column.name + " at " + Place(int64_t{column.offset} + 1, column.size) +
                          " runs past the data file's " + std::to_string(stat.recordLength) + "-byte record");
  if (!columns.empty() && fieldsEnd < stat.recordLength)
    problems.Report(table, "record length " + std::to_string(stat.recordLength) +
                               " in the data file, but the fields end at " + std::to_string(fieldsEnd));

  // The indexes a data-file key can carry, each with its segments in order.
  std::map<int32_t, std::vector<const Segment*>> indexes;
  for (const Segment& segment : segments)
    if (segment.indexNumber >= 0 && segment.indexNumber <= kLastKeyNumber)
      indexes[segment.indexNumber].push_back(&segment);
  std::map<int, const KeyStat*> keys;
  for (const KeyStat& key : stat.keys) keys.emplace(key.number, &key);
  if (size_t(stat.keyCount) != indexes.size())
    problems.Report(table, std::to_string(stat.keyCount) + " keys in the data file, " +
                               std::to_string(indexes.size()) + " indexes in PVINDEX.DDF");
  for (const auto& [number, indexSegments] : indexes) {
    auto key = keys.find(number);
    if (key == keys.end())
      problems.Report(table, "index " + std::to_string(number) + " has no key in the data file");
    else
      CompareKey(table, number, indexSegments, *key->second, columnsById, problems);
  }
  for (const auto& [number, key] : keys)
    if (!indexes.count(number))
      problems.Report(table,
                      "key " + std::to_string(number) + " of the data file has no index in PVINDEX.DDF");
}

}  // namespace

void CheckDataFile(const Table& table, const std::vector<Column>* columns,
                   const std::vector<Segment>& segments, const DictionaryFileIds& dictionaryFiles,
                   ProblemLines& problems) {
  // main has made the dictionary's folder the current one.
  if (dictionaryFiles.Contains(table.location)) return;
  const std::string prefix = "data file " + table.location + ": ";
  RecmgrFile file;
  int status = file.Open(table.location, "");
  if (status != RECMGR_STATUS_SUCCESS) {
    problems.Report(table.name, prefix + RecmgrStatusWords(status));
    return;
  }
  StatisticsRecord statistics;
  status = file.Stat(&statistics);
  if (status != RECMGR_STATUS_SUCCESS) {
    problems.Report(table.name, prefix + "statistics can't be read: " + RecmgrStatusWords(status));
    return;
  }
  const FileStat stat = ParseFileStat(statistics);
  if (columns != nullptr) CompareWithDictionary(table.name, *columns, segments, stat, problems);
  CheckFileIntegrity(file, stat, FileReport{table.name, prefix, problems});
}

}  // namespace dictcheck
