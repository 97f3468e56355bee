// The dictionary as its three files' walks gave it, and each table's
// columns and index segments looked up from it.
#ifndef DICTCHECK_DICTIONARY_MODEL_H
#define DICTCHECK_DICTIONARY_MODEL_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "morvel2/dictionary/dictionary_records.h"

namespace dictcheck {

// The records of each file, in the order of the key the report searches:
// tables by name (PVFILE.DDF key 1), fields by table id (PVFIELD.DDF key 1),
// segments by table, index and segment number (PVINDEX.DDF key 2).
struct DictionaryRecords {
  std::vector<FileRecord> tables;
  std::vector<FieldRecord> fields;
  std::vector<IndexRecord> segments;
};

struct Table {
  int32_t id = 0;
  std::string name;      // as stored, carets kept, trailing spaces dropped
  std::string location;  // trailing spaces dropped
  const FileRecord* record = nullptr;
};

struct Column {
  int32_t fieldId = 0;
  std::string name;  // as stored, trailing spaces dropped
  int32_t offset = 0;
  int32_t size = 0;
};

struct Segment {
  int32_t fieldId = 0;
  int32_t indexNumber = 0;
  int32_t segmentNumber = 0;
  uint32_t flags = 0;
};

// What a field id names, when it is not a column of the table at hand.
enum class FieldLookup { kMissing, kOtherTable, kNotAColumn };

// A fixed-width text as the report shows it: up to a NUL, trailing spaces
// dropped, a text of spaces only keeping one.
std::string StoredText(const char* field, int width);

class DictionaryModel {
 public:
  // REQUIRES: `records` outlives the model.
  explicit DictionaryModel(const DictionaryRecords& records);

  const std::vector<Table>& Tables() const { return tables_; }
  // The table's columns (not its index-name and constraint records).
  std::vector<Column> ColumnsOf(int32_t tableId) const;
  // The table's index segments in index and segment order.
  std::vector<Segment> SegmentsOf(int32_t tableId) const;
  FieldLookup LookUpField(int32_t fieldId, int32_t tableId) const;

 private:
  std::vector<Table> tables_;
  std::unordered_map<int32_t, std::vector<const FieldRecord*>> fieldsByTable_;
  std::unordered_map<int32_t, const FieldRecord*> fieldById_;
  std::unordered_map<int32_t, std::vector<const IndexRecord*>> segmentsByTable_;
};

}  // namespace dictcheck

#endif  // DICTCHECK_DICTIONARY_MODEL_H
