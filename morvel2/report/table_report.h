// The description of one table: header, field lines, index listing and the
// end-of-listing trailer.
#ifndef MORVEL2_REPORT_TABLE_REPORT_H
#define MORVEL2_REPORT_TABLE_REPORT_H

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/dictionary/table_lookup.h"
#include "morvel2/engine_access/statistics_record.h"

// Prints the report of a table found by LookupTable. `name` (129 bytes) is
// trimmed and its carets turned into spaces in place.
void PrintTableReport(char* name, TableInfo* info, StatisticsRecord* statistics);

// Title, location line, file information under B and column header under
// F. Cuts the info's location at 64 characters in place.
void PrintHeader(const char* name, int* lineCounter, TableInfo* info, const StatisticsRecord& statistics);

// One field step: the header on the first, then the field line under F.
void PrintFieldLine(int* lineCounter, const char* name, FieldRecord field, TableInfo* info,
                    const StatisticsRecord& statistics);

// Every index line and segment line of the collected segments.
void PrintIndexListing(const StatisticsRecord& statistics);

// Prints "Fatal Error: <text>." and ends the program with exit code 1.
[[noreturn]] void FatalError(const char* text);

#endif  // MORVEL2_REPORT_TABLE_REPORT_H
