// Checks of the dictionary itself against what the report can show: the
// array limits, names it can't tell apart, index numbers and first segments
// it can't list, and segments whose field is not a column of the table.
#ifndef DICTCHECK_TABLE_CHECKS_H
#define DICTCHECK_TABLE_CHECKS_H

#include <string>
#include <vector>

#include "dictionary_scan.h"

namespace dictcheck {

// Data-file keys are numbered 0 to 127: the call's key number is a signed
// byte. An index with another number has no key, so no unique values.
constexpr int kLastKeyNumber = 127;

// More tables than the report lists.
void CheckTableCount(const std::vector<Table>& tables);

// For every table, the earlier table (in name order) whose name the report
// can't tell from its own, in words ("Order Items (space against caret)"),
// or an empty text.
std::vector<std::string> FindNameTwins(const std::vector<Table>& tables);

// Limits, index numbers, first segments and segment fields of one table.
// Returns 0, or the status of a failed field read.
int CheckTableDefinition(const Table& table, const std::vector<Column>& columns,
                         const std::vector<Segment>& segments);

}  // namespace dictcheck

#endif  // DICTCHECK_TABLE_CHECKS_H
