// The schema of a dictionary read through the record manager: every table
// with its columns, indexes and constraints, each found by its table id in
// the keys the report searches too.
#ifndef MORVEL2_DICTIONARY_SCHEMA_READER_H
#define MORVEL2_DICTIONARY_SCHEMA_READER_H

#include <cstdint>
#include <string>
#include <vector>

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/engine_access/recmgr_file.h"

struct IndexSchema {
  int32_t number = 0;
  std::string name;                   // empty when the index has no index-name record
  int32_t nameFieldId = 0;            // the index-name record's field id
  std::vector<IndexRecord> segments;  // in segment order
};

struct TableSchema {
  FileRecord file{};
  std::string name;                      // trailing padding removed, carets kept
  std::string location;                  // trailing padding removed
  std::vector<FieldRecord> columns;      // in offset order, as key 4 holds them
  std::vector<IndexSchema> indexes;      // in index-number order
  std::vector<FieldRecord> constraints;  // type 227 records, in offset order
};

struct DictionarySchema {
  std::vector<TableSchema> tables;  // in name order
};

// The three dictionary files, open while it lives; tables are listed first
// and read in full one at a time, so a large dictionary is never held whole.
class DictionaryReader {
 public:
  // Opens PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF offering `ownerName`.
  // Returns 0, or the failing status with *failedFile naming the file.
  int Open(const std::string& ownerName, std::string* failedFile);
  // Every table's file record, in name order, without its details.
  // Returns 0 or the status that stopped the walk of PVFILE.DDF.
  int ReadTables(std::vector<TableSchema>* tables);
  // Fills the table's columns, indexes and constraints. Returns 0, or the
  // failing status with *failedFile naming the file.
  int ReadDetails(TableSchema* table, std::string* failedFile);

 private:
  RecmgrFile files_[3];
};

// Opens the dictionary offering `ownerName` and reads everything. Returns
// 0, or the first failing status with *failedFile naming the file.
int ReadDictionarySchema(const std::string& ownerName, DictionarySchema* schema, std::string* failedFile);

// The table's column with this field id (an index segment names its column
// so), or nullptr.
const FieldRecord* FindColumn(const TableSchema& table, int32_t fieldId);

// A fixed-width, space-padded text without its padding.
std::string TrimmedFixedText(const char* field, int width);

// A system table's name starts with "X$" or "x$".
bool IsSystemTableName(const std::string& name);

#endif  // MORVEL2_DICTIONARY_SCHEMA_READER_H
