// Checks of the dictionary itself: what the report can't show (its array
// limits, names it can't tell apart, index numbers and first segments it
// can't list), segments whose field is not a column of the table, and what
// no dictionary should hold (names with control bytes, duplicate ids,
// fields that partly overlap).
#ifndef DICTCHECK_TABLE_CHECKS_H
#define DICTCHECK_TABLE_CHECKS_H

#include <string>
#include <vector>

#include "dictionary_model.h"
#include "problem_lines.h"

namespace dictcheck {

// Data-file keys are numbered 0 to 127: the call's key number is a signed
// byte. An index with another number has no key, so no unique values.
constexpr int kLastKeyNumber = 127;

// The checks over all tables: their count, names the report can't tell
// apart, table and field ids used twice, and names with control bytes.
void CheckWholeDictionary(const DictionaryRecords& records, const DictionaryModel& model,
                          ProblemLines& problems);

// Limits, index numbers, first segments, segment fields and overlapping
// fields of one table.
void CheckTableDefinition(const Table& table, const std::vector<Column>& columns,
                          const std::vector<Segment>& segments, const DictionaryModel& model,
                          ProblemLines& problems);

}  // namespace dictcheck

#endif  // DICTCHECK_TABLE_CHECKS_H
