// Writes the rows of INSERT statements into records: each value in its
// column's byte form (see morvel2/dictionary/value_text.h), with the rules
// a row must keep: NOT NULL columns get a value, AUTOINC 0 or NULL is
// numbered. Each row is encoded on its own; what later rows need (the
// highest AUTOINC value so far) is kept in RowNumbering.
#ifndef MKDICT_VALUE_ENCODING_H
#define MKDICT_VALUE_ENCODING_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model.h"
#include "statements.h"

namespace mkdict {

// Per table: the highest value so far of each AUTOINC column.
struct RowNumbering {
  std::vector<int64_t> highest;  // by column; 0 before the first row
};

// The row `rowDef`, number `rowNumber` (1-based) of the INSERT at
// `statementPos`, whose values are for `columns` (indexes into
// table.columns), as a record of table.recordLength bytes in *row.
bool EncodeRow(const Table& table, const std::vector<size_t>& columns, const RowDef& rowDef,
               SourcePos statementPos, int rowNumber, RowNumbering* numbering, Row* row,
               DescriptionError* error);

// "row 2 of the statement at line 12".
std::string RowText(int rowNumber, int statementLine);

}  // namespace mkdict

#endif  // MKDICT_VALUE_ENCODING_H
