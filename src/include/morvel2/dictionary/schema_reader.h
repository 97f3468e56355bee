// The whole schema of a dictionary read at once through the record manager:
// every table with its columns, indexes and constraints. Each dictionary
// file is walked once in key order, so thousands of tables cost no more
// than their records.
#ifndef MORVEL2_DICTIONARY_SCHEMA_READER_H
#define MORVEL2_DICTIONARY_SCHEMA_READER_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "morvel2/dictionary/dictionary_records.h"

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
  // Every field record by field id, columns of all tables included: an
  // index segment names its column by id.
  std::unordered_map<int32_t, FieldRecord> fieldsById;
};

// Opens PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF offering `ownerName`, reads
// everything and closes them. Returns 0, or the first failing status with
// *failedFile naming the file.
int ReadDictionarySchema(const std::string& ownerName, DictionarySchema* schema, std::string* failedFile);

// A fixed-width, space-padded text without its padding.
std::string TrimmedFixedText(const char* field, int width);

// A system table's name starts with "X$" or "x$".
bool IsSystemTableName(const std::string& name);

#endif  // MORVEL2_DICTIONARY_SCHEMA_READER_H
