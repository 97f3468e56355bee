#include "sql_types.h"

#include <vector>

namespace dictdump {

namespace {

// Column sizes up to this get a zero value to look at; longer ones hold bytes.
constexpr uint32_t kLargestProbe = 65536;

bool IsSignedIntegerType(int code) { return code == 1 || code == 15; }
bool IsUnsignedIntegerType(int code) { return code == 7 || code == 14; }
bool IsFloatType(int code) { return code == 2 || code == 9; }

const char* PostgresNumber(const ColumnShape& shape) {
  if (IsSignedIntegerType(shape.typeCode)) {
    if (shape.size <= 2) return "smallint";
    if (shape.size <= 4) return "integer";
    if (shape.size <= 8) return "bigint";
  }
  if (IsUnsignedIntegerType(shape.typeCode)) {
    if (shape.size == 1) return "smallint";
    if (shape.size == 2) return "integer";
    if (shape.size <= 4) return "bigint";
  }
  if (IsFloatType(shape.typeCode)) return shape.size == 4 ? "real" : "double precision";
  return "numeric";
}

const char* SqliteNumber(const ColumnShape& shape) {
  if (IsSignedIntegerType(shape.typeCode) || IsUnsignedIntegerType(shape.typeCode)) return "INTEGER";
  if (IsFloatType(shape.typeCode)) return "REAL";
  return "NUMERIC";
}

}  // namespace

SqlType ChooseSqlType(const ColumnShape& shape, Dialect dialect) {
  const bool postgres = dialect == Dialect::kPostgres;
  SqlType type{postgres ? "bytea" : "BLOB", ValueKind::kHex};
  if (shape.size == 0 || shape.size > kLargestProbe) return type;
  // Zero bytes first, then bytes of 1 (day 1 of month 1 for a date, where
  // zero is no date at all).
  static const std::vector<std::byte> kZeros(kLargestProbe);
  static const std::vector<std::byte> kOnes(kLargestProbe, std::byte{1});
  type.kind = FormatValueText(shape, std::span(kZeros.data(), shape.size)).kind;
  if (type.kind == ValueKind::kHex)
    type.kind = FormatValueText(shape, std::span(kOnes.data(), shape.size)).kind;
  switch (type.kind) {
    case ValueKind::kString: type.name = postgres ? "text" : "TEXT"; break;
    case ValueKind::kNumber: type.name = postgres ? PostgresNumber(shape) : SqliteNumber(shape); break;
    case ValueKind::kBoolean: type.name = postgres ? "boolean" : "BOOLEAN"; break;
    case ValueKind::kHex: break;
  }
  return type;
}

}  // namespace dictdump
