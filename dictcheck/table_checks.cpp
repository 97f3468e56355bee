#include "table_checks.h"

#include <algorithm>
#include <map>
#include <set>

#include "morvel2/common/hex_text.h"
#include "morvel2/dictionary/report_limits.h"

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

std::string Place(int64_t position, int64_t size) {
  return "position " + std::to_string(position) + " size " + std::to_string(size);
}

// What is wrong with a stored, space-padded text, or an empty text: a NUL
// or control byte anywhere (the NUL ends the name for some readers and not
// for others, and what follows it is a stray byte), or nothing but padding.
std::string TextFault(const char* field, int width, bool mayBeEmpty) {
  bool empty = true;
  for (int i = 0; i < width; ++i) {
    const auto c = static_cast<unsigned char>(field[i]);
    if (c == 0) return "a NUL byte at byte " + std::to_string(i + 1);
    if (c < 0x20 || c == 0x7F) {
      std::string fault = "control byte 0x";
      AppendHex(std::as_bytes(std::span(field + i, 1)), &fault);
      return fault + " at byte " + std::to_string(i + 1);
    }
    empty = empty && c == ' ';
  }
  return empty && !mayBeEmpty ? "nothing but spaces" : "";
}

// A name fit to head a problem line: printable and not empty.
bool IsShowable(const std::string& name) {
  return !name.empty() && name != " " &&
         std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

void CheckTableTexts(const Table& table, ProblemLines& problems) {
  const std::string where = IsShowable(table.name) ? table.name : kFileDictionaryName;
  const std::string who = IsShowable(table.name) ? "" : "table id " + std::to_string(table.id) + ": ";
  std::string fault = TextFault(table.record->name, kNameWidth, false);
  if (!fault.empty()) problems.Report(where, who + "name has " + fault);
  fault = TextFault(table.record->location, kLocationWidth, true);
  if (!fault.empty()) problems.Report(where, who + "data file location has " + fault);
}

void CheckFieldNames(const DictionaryRecords& records, const DictionaryModel& model, ProblemLines& problems) {
  std::map<int32_t, std::string> tableNames;
  for (const Table& table : model.Tables()) tableNames.emplace(table.id, table.name);
  for (const FieldRecord& field : records.fields) {
    const std::string fault = TextFault(field.name, kNameWidth, false);
    if (fault.empty()) continue;
    const int32_t tableId = field.tableId;  // a copy: the record is packed
    auto table = tableNames.find(tableId);
    const bool known = table != tableNames.end() && IsShowable(table->second);
    const char* what = field.typeCode == kTypeIndexName    ? "index name"
                       : field.typeCode == kTypeConstraint ? "constraint name"
                                                           : "name";
    problems.Report(known ? table->second : kFieldDictionaryName,
                    "field id " + std::to_string(field.fieldId) + ": " + what + " has " + fault);
  }
}

// Each id used more than once, with its count.
template <typename Record, typename Id>
void CheckUniqueIds(const std::vector<Record>& records, Id id, const char* file, const char* what,
                    ProblemLines& problems) {
  std::map<int32_t, int> uses;
  for (const Record& record : records) ++uses[id(record)];
  for (const auto& [value, count] : uses)
    if (count > 1)
      problems.Report(file, std::string(what) + " " + std::to_string(value) + " used " +
                                std::to_string(count) + " times");
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

void CheckIndexNumber(const std::string& table, int32_t number, int32_t firstSegment,
                      ProblemLines& problems) {
  if (number < 0) {
    problems.Report(table, Index(number) + ": the report lists no index with a negative number");
    return;
  }
  if (number > kLastKeyNumber)
    problems.Report(table, Index(number) + ": the report can't show its unique values (data-file keys are " +
                               "numbered 0 to " + std::to_string(kLastKeyNumber) + ")");
  // The report starts an index's line at its segment 0.
  if (firstSegment != 0)
    problems.Report(table, Index(number) +
                               " has no first segment (number 0): the report lists its segments under the "
                               "index before it");
}

void CheckSegmentField(const Table& table, const Segment& segment, const std::set<int32_t>& columns,
                       const DictionaryModel& model, ProblemLines& problems) {
  if (columns.count(segment.fieldId)) return;
  const FieldLookup lookup = model.LookUpField(segment.fieldId, table.id);
  const char* what = lookup == FieldLookup::kMissing      ? "is not in PVFIELD.DDF"
                     : lookup == FieldLookup::kOtherTable ? "belongs to another table"
                                                          : "is not a column";
  problems.Report(table.name, Index(segment.indexNumber) + " segment " +
                                  std::to_string(int64_t{segment.segmentNumber} + 1) + ": field id " +
                                  std::to_string(segment.fieldId) + " " + what);
}

// Fields outside any record, and fields that overlap only in part: one
// field lying wholly inside another, or two sharing their start, is a
// field redefining another's bytes, which a description asks for with AT;
// a field reaching past another's end from inside it is not.
void CheckFieldPlaces(const std::string& table, const std::vector<Column>& columns, ProblemLines& problems) {
  std::vector<const Column*> byOffset;
  for (const Column& column : columns) {
    if (column.offset < 0 || column.size < 0)
      problems.Report(table, "field " + column.name + " at " +
                                 Place(int64_t{column.offset} + 1, column.size) + " lies outside any record");
    else
      byOffset.push_back(&column);
  }
  std::stable_sort(byOffset.begin(), byOffset.end(), [](const Column* a, const Column* b) {
    return a->offset != b->offset ? a->offset < b->offset : a->size > b->size;
  });
  const Column* reach = nullptr;  // the field that ends farthest so far
  for (const Column* column : byOffset) {
    const int64_t end = int64_t{column->offset} + column->size;
    if (reach != nullptr) {
      const int64_t reachEnd = int64_t{reach->offset} + reach->size;
      if (column->offset > reach->offset && column->offset < reachEnd && end > reachEnd)
        problems.Report(table, "fields " + reach->name + " at " +
                                   Place(int64_t{reach->offset} + 1, reach->size) + " and " + column->name +
                                   " at " + Place(int64_t{column->offset} + 1, column->size) +
                                   " overlap in part");
    }
    if (reach == nullptr || end > int64_t{reach->offset} + reach->size) reach = column;
  }
}

}  // namespace

void CheckWholeDictionary(const DictionaryRecords& records, const DictionaryModel& model,
                          ProblemLines& problems) {
  const std::vector<Table>& tables = model.Tables();
  if (tables.size() > size_t{kMaxTableNames})
    problems.Report(kFileDictionaryName, std::to_string(tables.size()) +
                                             " tables: the report lists only the first " +
                                             std::to_string(kMaxTableNames));
  CheckUniqueIds(
      records.tables, [](const FileRecord& r) { return r.tableId; }, kFileDictionaryName, "table id",
      problems);
  CheckUniqueIds(
      records.fields, [](const FieldRecord& r) { return r.fieldId; }, kFieldDictionaryName, "field id",
      problems);
  CheckFieldNames(records, model, problems);
  const std::vector<std::string> twins = FindNameTwins(tables);
  for (size_t i = 0; i < tables.size(); ++i) {
    CheckTableTexts(tables[i], problems);
    if (!twins[i].empty())
      problems.Report(tables[i].name, "the report can't tell this name from " + twins[i]);
  }
}

void CheckTableDefinition(const Table& table, const std::vector<Column>& columns,
                          const std::vector<Segment>& segments, const DictionaryModel& model,
                          ProblemLines& problems) {
  if (columns.size() >= size_t{kMaxFields})
    problems.Report(table.name, std::to_string(columns.size()) + " fields: the report lists at most " +
                                    std::to_string(kMaxFields) + " and warns from " +
                                    std::to_string(kMaxFields) + " on");
  size_t listed = 0;  // the report reads segments from index number 0 on
  for (const Segment& segment : segments) listed += segment.indexNumber >= 0;
  if (listed >= size_t{kMaxSegments})
    problems.Report(table.name, std::to_string(listed) + " index segments: the report lists at most " +
                                    std::to_string(kMaxSegments) + " and warns from " +
                                    std::to_string(kMaxSegments) + " on");
  CheckFieldPlaces(table.name, columns, problems);

  std::set<int32_t> columnIds;
  for (const Column& column : columns) columnIds.insert(column.fieldId);
  for (size_t i = 0; i < segments.size(); ++i) {
    const Segment& segment = segments[i];
    const bool newIndex = i == 0 || segments[i - 1].indexNumber != segment.indexNumber;
    if (newIndex) CheckIndexNumber(table.name, segment.indexNumber, segment.segmentNumber, problems);
    if (!newIndex && segments[i - 1].segmentNumber == segment.segmentNumber)
      problems.Report(table.name, Index(segment.indexNumber) + " segment " +
                                      std::to_string(int64_t{segment.segmentNumber} + 1) + " listed twice");
    CheckSegmentField(table, segment, columnIds, model, problems);
  }
}

}  // namespace dictcheck
