// Finding one table by name in the file dictionary, and listing every
// table's name in name order.
#ifndef MORVEL2_REPORT_TABLE_LOOKUP_H
#define MORVEL2_REPORT_TABLE_LOOKUP_H

#include <cstdint>

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/dictionary/report_limits.h"
#include "morvel2/engine_access/statistics_record.h"

struct TableInfo {
  uint32_t flags;
  char location[kLocationWidth + 1];  // space-padded until the statistics step trims it
  char name[kNameWidth + 1];          // still space-padded
};

// Names of every table, 128 characters space-padded and terminated.
struct TableList {
  char names[kMaxTableNames][kNameWidth + 1];
  int count;
};

struct RunContext;

// One Get Equal on the file dictionary by name, padded to 128 characters,
// into the run's file-record buffer.
int GetFileRecord(RunContext* run, const char* name);

// Finds the table, retrying with carets for spaces; fills `info` and runs
// the statistics step. Returns 1 when the table is not there, else 0 (also
// after a record-manager failure, with `found` clear).
int LookupTable(RunContext* run, const char* name, bool* found, TableInfo* info,
                StatisticsRecord* statistics);

// Reads up to 2001 table names in name order into `list`. Returns 0, or the
// status that ended the scan.
int LoadTables(RunContext* run, TableList* list);

#endif  // MORVEL2_REPORT_TABLE_LOOKUP_H
