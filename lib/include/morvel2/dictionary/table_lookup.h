// Finding one table by name in the file dictionary, and listing every
// table's name in name order.
#ifndef MORVEL2_DICTIONARY_TABLE_LOOKUP_H
#define MORVEL2_DICTIONARY_TABLE_LOOKUP_H

#include <cstdint>

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/engine_access/statistics_record.h"

struct TableInfo {
  uint32_t flags;
  char location[kLocationWidth + 1];  // space-padded until the statistics step trims it
  char name[kNameWidth + 1];          // still space-padded
};

constexpr int kMaxTableNames = 2001;

// Names of every table, 128 characters space-padded and terminated.
extern char gTableNames[kMaxTableNames][kNameWidth + 1];
extern int gTableCount;

// One Get Equal on the file dictionary by name, padded to 128 characters,
// into the program-wide file-record buffer.
int GetFileRecord(const char* name);

// Finds the table, retrying with carets for spaces; fills `info` and runs
// the statistics step. Returns 1 when the table is not there, else 0 (also
// after a record-manager failure, with `found` clear).
int LookupTable(const char* name, bool* found, TableInfo* info, StatisticsRecord* statistics);

// Reads up to 2001 table names in name order. Returns 0, or the status that
// ended the scan.
int LoadTables();

#endif  // MORVEL2_DICTIONARY_TABLE_LOOKUP_H
