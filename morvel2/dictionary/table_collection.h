// A table's columns in offset order and its index segments in index and
// segment order, collected into the two arrays its report allocates.
#ifndef MORVEL2_REPORT_TABLE_COLLECTION_H
#define MORVEL2_REPORT_TABLE_COLLECTION_H

#include <cstdint>

#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/dictionary/report_limits.h"

// Added to a segment number whose field is a string type; the index listing
// takes it off again.
constexpr int32_t kStringSegmentMarker = 200;
constexpr uint32_t kUniqueValuesUnknown = 0xFFFFFFFF;

struct SegmentEntry {
  int32_t indexNumber;
  int32_t segmentNumber;
  uint32_t flags;
  uint32_t uniqueValues;
  char fieldName[kNameWidth];  // space-padded, not terminated, or an error text
};
static_assert(sizeof(SegmentEntry) == 144);

struct RunContext;

// Collects the columns (not the index-name and constraint records) of the
// named table into `fields` (room for kMaxFields). Always returns 0.
int GetFields(RunContext* run, const char* name, FieldRecord* fields, int* count);

// Collects the index segments of the named table, each with its field's
// name, into `segments` (room for kMaxSegments). Always returns 0.
int GetIndex(RunContext* run, const char* name, SegmentEntry* segments, int* count);

#endif  // MORVEL2_REPORT_TABLE_COLLECTION_H
