// The description of one table: header, field lines, index listing and the
// end-of-listing trailer.
#ifndef MORVEL2_REPORT_TABLE_REPORT_H
#define MORVEL2_REPORT_TABLE_REPORT_H

#include "dictionary/table_collection.h"
#include "dictionary/table_lookup.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/engine_access/statistics_record.h"

struct RunContext;

// The table being printed: what its lookup found, its collected fields and
// segments, the line counter of the field steps, and whether it is
// nullable (set by its header).
struct PrintedTable {
  const char* name;
  TableInfo* info;
  const StatisticsRecord* statistics;
  FieldRecord* fields;
  int fieldCount;
  SegmentEntry* segments;
  int segmentCount;
  int lineCounter;
  bool nullable;
};

// Prints the report of a table found by LookupTable. `name` (129 bytes) is
// trimmed and its carets turned into spaces in place.
void PrintTableReport(RunContext* run, char* name, TableInfo* info, StatisticsRecord* statistics);

// Title, location line, file information under B and column header under
// F. Cuts the info's location at 64 characters in place.
void PrintHeader(RunContext* run, PrintedTable* table);

// One field step: the header on the first, then the field line under F.
void PrintFieldLine(RunContext* run, PrintedTable* table, FieldRecord field);

// Every index line and segment line of the collected segments.
void PrintIndexListing(RunContext* run, PrintedTable* table);

// Prints "Fatal Error: <text>." and ends the program with exit code 1.
[[noreturn]] void FatalError(RunContext* run, const char* text);

#endif  // MORVEL2_REPORT_TABLE_REPORT_H
