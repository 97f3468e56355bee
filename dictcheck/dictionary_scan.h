// Reads the whole dictionary through the request slots: every table, and a
// table's columns and index segments, without the report's array limits.
#ifndef DICTCHECK_DICTIONARY_SCAN_H
#define DICTCHECK_DICTIONARY_SCAN_H

#include <cstdint>
#include <string>
#include <vector>

namespace dictcheck {

struct Table {
  int32_t id = 0;
  std::string name;      // as stored, carets kept, trailing spaces dropped
  std::string location;  // trailing spaces dropped
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

// Each returns 0, or the status of the read that failed (the scan's end
// aside); the dictionary must be open.

// Every table in name order (key 1 of PVFILE.DDF).
int ReadTables(std::vector<Table>* tables);

// The table's columns (not its index-name and constraint records).
int ReadColumns(int32_t tableId, std::vector<Column>* columns);

// The table's index segments in index and segment order, negative index
// numbers included.
int ReadSegments(int32_t tableId, std::vector<Segment>* segments);

// Tells what `fieldId` is, for a segment whose field is not among its
// table's columns.
int LookUpField(int32_t fieldId, int32_t tableId, FieldLookup* result);

}  // namespace dictcheck

#endif  // DICTCHECK_DICTIONARY_SCAN_H
