// How much of a dictionary the report lists: the tools that check or build
// a dictionary warn against the same limits.
#ifndef MORVEL2_DICTIONARY_REPORT_LIMITS_H
#define MORVEL2_DICTIONARY_REPORT_LIMITS_H

// Table names of an all-tables run, columns and index segments of a table.
constexpr int kMaxTableNames = 2001;
constexpr int kMaxFields = 1600;
constexpr int kMaxSegments = 425;

#endif  // MORVEL2_DICTIONARY_REPORT_LIMITS_H
