// Writes the values of INSERT rows into records, in the byte form of each
// column's type (see ValueClass).
#ifndef MKDICT_VALUE_ENCODING_H
#define MKDICT_VALUE_ENCODING_H

#include <cstddef>
#include <span>
#include <string>

#include "model.h"
#include "statements.h"

namespace mkdict {

// Writes `value` into `field`, the column's bytes of a record, which hold
// zeros. NULL leaves the zeros; a hex value is copied and may be shorter than
// the column. Returns false with *reason when the value's kind does not suit
// the column's type or the value does not fit the column.
bool EncodeValue(const Literal& value, const Column& column, std::span<std::byte> field, std::string* reason);

// The column's type as a description writes it: its keyword or "TYPE n".
std::string TypeText(int typeCode);

}  // namespace mkdict

#endif  // MKDICT_VALUE_ENCODING_H
