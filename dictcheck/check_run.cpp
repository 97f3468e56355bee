#include "check_run.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data_file_check.h"
#include "dictionary_model.h"
#include "file_integrity.h"
#include "file_stat.h"
#include "morvel2/engine_access/recmgr_file.h"
#include "problem_lines.h"
#include "table_checks.h"

namespace dictcheck {
namespace {

constexpr int kExitClean = 0;
constexpr int kExitProblem = 1;

int Fail(const char* file, int status) {
  if (status == RECMGR_STATUS_NOT_LOADED)
    std::fprintf(stderr, "dictcheck: %s\n", RecmgrStatusWords(status));
  else
    std::fprintf(stderr, "dictcheck: %s: %s\n", file, RecmgrStatusWords(status));
  return kExitProblem;
}

// Appends each record of exactly the layout's size to `records`.
template <typename Record>
RecordSink CollectInto(std::vector<Record>* records) {
  return [records](const uint8_t* bytes, uint32_t length) {
    if (length != sizeof(Record)) return;
    std::memcpy(&records->emplace_back(), bytes, sizeof(Record));
  };
}

// One dictionary file: its whole integrity, and its records in the order of
// `key`, when its record length is the layout's, into `records`.
template <typename Record>
void CheckDictionaryFile(RecmgrFile& file, const char* name, int key, std::vector<Record>* records,
                         ProblemLines& problems) {
  const FileReport report{name, "", problems};
  StatisticsRecord statistics;
  const int status = file.Stat(&statistics);
  if (status != RECMGR_STATUS_SUCCESS) {
    report(std::string("statistics can't be read: ") + RecmgrStatusWords(status));
    return;
  }
  const FileStat stat = ParseFileStat(statistics);
  if (stat.recordLength != sizeof(Record))
    report("records of " + std::to_string(stat.recordLength) + " bytes, not " +
           std::to_string(sizeof(Record)));
  // Room for them all at once: a list that grows a step at a time is
  // copied into new memory each step, whose pages cost more to touch than
  // the records do to read. A count beyond a million may be damage: past
  // it the list grows as it must.
  constexpr uint32_t kMostReserved = 1 << 20;
  if (stat.recordLength == sizeof(Record)) records->reserve(std::min(stat.recordCount, kMostReserved));
  CheckFileIntegrity(file, stat, report, key, CollectInto(records));
}

}  // namespace

int RunCheck(const std::string& password) {
  const std::string owner = password.empty() ? kDefaultOwnerName : password;
  const char* const names[3] = {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName};
  RecmgrFile files[3];
  for (int i = 0; i < 3; ++i) {
    const int status = files[i].Open(names[i], owner);
    if (status != RECMGR_STATUS_SUCCESS) return Fail(names[i], status);
  }

  ProblemLines problems;
  DictionaryRecords records;
  CheckDictionaryFile(files[0], kFileDictionaryName, kFileKeyTableName, &records.tables, problems);
  CheckDictionaryFile(files[1], kFieldDictionaryName, kFieldKeyTableId, &records.fields, problems);
  CheckDictionaryFile(files[2], kIndexDictionaryName, kIndexKeyTableSegment, &records.segments, problems);

  // A damaged dictionary file may have given only some of its records:
  // tables would then seem to lack fields and segments they have, so only
  // what holds record by record is checked, and the data files.
  const bool dictionaryWhole = problems.Count() == 0;
  const DictionaryModel model(records);
  CheckWholeDictionary(records, model, problems);
  const DictionaryFileIds dictionaryFiles;
  for (const Table& table : model.Tables()) {
    const std::vector<Column> columns = model.ColumnsOf(table.id);
    const std::vector<Segment> segments = model.SegmentsOf(table.id);
    if (dictionaryWhole) CheckTableDefinition(table, columns, segments, model, problems);
    CheckDataFile(table, dictionaryWhole ? &columns : nullptr, segments, dictionaryFiles, problems);
  }
  return problems.Count() == 0 ? kExitClean : kExitProblem;
}

}  // namespace dictcheck
