// A table's columns in offset order and its index segments in index and
// segment order, collected into the two arrays its report allocates.
#ifndef MORVEL2_DICTIONARY_TABLE_COLLECTION_H
#define MORVEL2_DICTIONARY_TABLE_COLLECTION_H

#include <cstdint>

#include "morvel2/dictionary/dictionary_records.h"

constexpr int kMaxFields = 1600;
constexpr int kMaxSegments = 425;
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

// Allocated by the report for one table; program-wide while it runs.
extern FieldRecord* gFieldArray;
extern int gFieldCount;
extern SegmentEntry* gSegmentArray;
extern int gSegmentCount;

// String types: their index segments print a case column.
bool IsStringType(int typeCode);

// Collects the columns (not the index-name and constraint records) of the
// named table into gFieldArray. Always returns 0.
int GetFields(const char* name, int* count);

// Collects the index segments of the named table, each with its field's
// name, into gSegmentArray. Always returns 0.
int GetIndex(const char* name, int* count);

#endif  // MORVEL2_DICTIONARY_TABLE_COLLECTION_H
