// How a column of the dictionary becomes a column of an SQL table.
#ifndef DICTDUMP_SQL_TYPES_H
#define DICTDUMP_SQL_TYPES_H

#include "morvel2/dictionary/value_text.h"
#include "options.h"

namespace dictdump {

struct SqlType {
  const char* name = "BLOB";
  ValueKind kind = ValueKind::kHex;  // the values it takes
};

// The type follows the kind of text the column's values have (tried on a
// few byte patterns that are values of every type that has a text form, so
// a type without one in this build holds bytes), then the column's type
// code and size.
SqlType ChooseSqlType(const ColumnShape& shape, Dialect dialect);

}  // namespace dictdump

#endif  // DICTDUMP_SQL_TYPES_H
