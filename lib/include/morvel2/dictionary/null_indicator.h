// The null indicator: in a NULLABLE table (table flag 0x40), a column that
// accepts nulls (field flag 0x4) has one byte right before it, covered by
// no column, that tells NULL from a value whose bytes are all zero. The
// builder writes 1 there when the column has a value and 0 when it is NULL.
// A column is NULL when that byte is 0 and its own bytes are all zero, so a
// record written before indicators existed (its uncovered bytes zero) and a
// column without an indicator read as they always did: all zero is NULL.
#ifndef MORVEL2_DICTIONARY_NULL_INDICATOR_H
#define MORVEL2_DICTIONARY_NULL_INDICATOR_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The indicator byte of a column that has a value.
constexpr std::byte kNullIndicatorValue{1};

// Where a column lies in the record, as its field record says.
struct ColumnPlace {
  uint32_t offset = 0;
  uint32_t size = 0;
  bool acceptsNulls = false;
};

// A column without an indicator byte.
constexpr int64_t kNoNullIndicator = -1;

// Per column, the offset of its indicator byte, or kNoNullIndicator: there
// is one only in a nullable table, for a column that accepts nulls, at
// offset - 1 when that byte is inside no column of the table.
std::vector<int64_t> NullIndicatorOffsets(bool nullableTable, std::span<const ColumnPlace> columns);

// Whether a column that accepts nulls reads as NULL: `indicator` is its
// indicator byte (0 when it has none), `bytes` its own bytes.
bool ReadsAsNull(std::byte indicator, std::span<const std::byte> bytes);

#endif  // MORVEL2_DICTIONARY_NULL_INDICATOR_H
