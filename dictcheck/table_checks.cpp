#include "table_checks.h"

#include <map>
#include <set>

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/dictionary/table_collection.h"
#include "morvel2/dictionary/table_lookup.h"
#include "problem_lines.h"
#include "recmgr/recmgr.h"

namespace dictcheck {
namespace {

std::string CaretsAsSpaces(std::string name) {
  for (char& c : name)
    if (c == '^') c = ' ';
  // A caret at the end becomes a trailing space, which the report drops.
  while (name.size() > 1 && name.back() == ' ') name.pop_back();
  return name;
}

// The file dictionary's name key ignores ASCII case.
std::string LowerCase(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

std::string Index(int32_t number) { return "index " + std::to_string(number); }

void CheckIndexNumber(const std::string& table, int32_t number, int32_t firstSegment) {
  if (number < 0) {
    ReportProblem(table, Index(number) + ": the report lists no index with a negative number");
    return;
  }
  if (number > kLastKeyNumber)
    ReportProblem(table, Index(number) + ": the report can't show its unique values (data-file keys are " +
                             "numbered 0 to " + std::to_string(kLastKeyNumber) + ")");
  // The report starts an index's line at its segment 0.
  if (firstSegment != 0)
    ReportProblem(table, Index(number) +
                             " has no first segment (number 0): the report lists its segments under the "
                             "index before it");
}

int CheckSegmentField(const std::string& table, const Segment& segment, const std::set<int32_t>& columns,
                      int32_t tableId) {
  if (columns.count(segment.fieldId)) return RECMGR_STATUS_SUCCESS;
  FieldLookup lookup;
  const int status = LookUpField(segment.fieldId, tableId, &lookup);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  const char* what = lookup == FieldLookup::kMissing      ? "is not in PVFIELD.DDF"
                     : lookup == FieldLookup::kOtherTable ? "belongs to another table"
                                                          : "is not a column";
  ReportProblem(table, Index(segment.indexNumber) + " segment " +
                           std::to_string(int64_t{segment.segmentNumber} + 1) + ": field id " +
                           std::to_string(segment.fieldId) + " " + what);
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace

void CheckTableCount(const std::vector<Table>& tables) {
  if (tables.size() > size_t{kMaxTableNames})
    ReportProblem(kFileDictionaryName, std::to_string(tables.size()) +
                                           " tables: the report lists only the first " +
                                           std::to_string(kMaxTableNames));
}

std::vector<std::string> FindNameTwins(const std::vector<Table>& tables) {
  std::vector<std::string> twins(tables.size());
  std::map<std::string, size_t> first;  // by the name as the report sees it, any case
  for (size_t i = 0; i < tables.size(); ++i) {
    const std::string key = LowerCase(CaretsAsSpaces(tables[i].name));
    auto [found, added] = first.emplace(key, i);
    if (added) continue;
    const std::string& other = tables[found->second].name;
    const bool byCaret = CaretsAsSpaces(other) == CaretsAsSpaces(tables[i].name);
    const bool byCase = LowerCase(other) == LowerCase(tables[i].name);
    const char* difference = byCaret  ? "space against caret"
                             : byCase ? "case"
                                      : "case and space against caret";
    twins[i] = other + " (" + difference + ")";
  }
  return twins;
}

int CheckTableDefinition(const Table& table, const std::vector<Column>& columns,
                         const std::vector<Segment>& segments) {
  if (columns.size() >= size_t{kMaxFields})
    ReportProblem(table.name, std::to_string(columns.size()) + " fields: the report lists at most " +
                                  std::to_string(kMaxFields) + " and warns from " +
                                  std::to_string(kMaxFields) + " on");
  size_t listed = 0;  // the report reads segments from index number 0 on
  for (const Segment& segment : segments) listed += segment.indexNumber >= 0;
  if (listed >= size_t{kMaxSegments})
    ReportProblem(table.name, std::to_string(listed) + " index segments: the report lists at most " +
                                  std::to_string(kMaxSegments) + " and warns from " +
                                  std::to_string(kMaxSegments) + " on");

  std::set<int32_t> columnIds;
  for (const Column& column : columns) columnIds.insert(column.fieldId);
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& segment = segments[i];
    if (i == 0 || segments[i - 1].indexNumber != segment.indexNumber)
      CheckIndexNumber(table.name, segment.indexNumber, segment.segmentNumber);
    const int status = CheckSegmentField(table.name, segment, columnIds, table.id);
    if (status != RECMGR_STATUS_SUCCESS) return status;
  }
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace dictcheck
