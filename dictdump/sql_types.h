// How a column of the dictionary becomes a column of an SQL table.
#ifndef DICTDUMP_SQL_TYPES_H
#define DICTDUMP_SQL_TYPES_H

#include <string>

#include "morvel2/dictionary/value_text.h"
#include "options.h"

namespace dictdump {

struct SqlType {
  std::string name = "BLOB";
  ValueKind kind = ValueKind::kHex;  // the values it takes
  bool quotedNumbers = false;        // numbers written as text: SQLite would round them
  bool foldsCase = false;            // a text type, which a case-insensitive index lowers
};

// The type follows the kind of text the column's values have (tried on a
// few byte patterns that are values of every type that has a text form, so
// a type without one in this build holds bytes), then the column's type
// code, size and decimal places. LOGICAL and BIT are boolean until a value
// other than 0 or 1 is met (see LogicalNumbers).
SqlType ChooseSqlType(const ColumnShape& shape, Dialect dialect);

// The type of a LOGICAL column holding a value other than 0 and 1, in
// PostgreSQL, whose boolean can't hold it.
SqlType LogicalNumbers(const ColumnShape& shape);

}  // namespace dictdump

#endif  // DICTDUMP_SQL_TYPES_H
