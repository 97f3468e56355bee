// A checked description: every name resolved, every id, offset and number
// assigned. What the dictionary writer writes; the rows go straight to the
// data files.
#ifndef MKDICT_MODEL_H
#define MKDICT_MODEL_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "source_pos.h"

namespace mkdict {

struct Column {
  std::string name;
  int32_t fieldId = 0;
  uint8_t typeCode = 0;
  int32_t offset = 0;
  int32_t size = 0;
  uint16_t decimals = 0;
  uint32_t flags = 0;    // kField* bits and raw bits
  bool notNull = false;  // rows must give a value
  // Offset of its null indicator byte (morvel2/dictionary/null_indicator.h),
  // or kNoNullIndicator.
  int64_t nullIndicator = -1;
};

struct Segment {
  size_t column = 0;   // into Table::columns
  uint32_t flags = 0;  // kSegment* bits and raw bits, duplicates and modifiable included
};

struct Index {
  SourcePos pos;
  std::optional<std::string> name;  // none: no index-name record
  int32_t nameFieldId = 0;          // of the index-name record
  int32_t number = 0;
  std::vector<Segment> segments;
};

struct Constraint {
  std::string name;
  int32_t fieldId = 0;
  int32_t offset = 0;
};

struct Row {
  SourcePos pos;
  int statementLine = 0;            // of its INSERT
  int number = 0;                   // 1-based, within its INSERT
  std::vector<std::byte> record;    // Table::recordLength bytes
  std::vector<size_t> readsAsNull;  // columns given a value that reads back as NULL
};

struct Table {
  SourcePos pos;
  std::string name;  // as stored: spaces and carets as written
  int32_t id = 0;
  std::string location;  // as stored
  uint32_t flags = 0;    // kTable* bits and raw bits
  bool hasDataFile = true;
  uint16_t recordLength = 1;
  uint16_t pageSize = 4096;
  uint8_t fileVersion = 0;
  uint16_t fileFlags = 0;
  std::string owner;                // of the data file; empty: none
  bool ownerGuardsChanges = false;  // the owner name guards only changes
  std::vector<Column> columns;
  std::vector<Index> indexes;
  std::vector<Constraint> constraints;
};

struct Database {
  std::optional<std::string> password;  // from SET MASTER PASSWORD
  SourcePos passwordPos;
  bool passwordGuardsChanges = false;  // the dictionary's owner name guards only changes
  std::vector<Table> tables;
};

}  // namespace mkdict

#endif  // MKDICT_MODEL_H
