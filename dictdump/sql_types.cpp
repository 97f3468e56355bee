#include "sql_types.h"

#include <algorithm>
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

// Fills `probe` with the n-th pattern that holds a value in a type that has
// a text form: zero bytes, bytes of 1 (day 1 of month 1: zero is no date),
// a packed decimal 0 (sign 0xF in the last half-byte), ASCII zeros, and
// ASCII zeros with a positive sign overpunched at the end. False past the
// last.
bool FillProbe(int n, std::vector<std::byte>* probe) {
  static constexpr unsigned char kFill[] = {0, 1, 0, '0', '0'};
  static constexpr unsigned char kLast[] = {0, 1, 0x0F, '0', '{'};
  if (n >= static_cast<int>(sizeof kFill)) return false;
  std::fill(probe->begin(), probe->end(), std::byte{kFill[n]});
  probe->back() = std::byte{kLast[n]};
  return true;
}

}  // namespace

SqlType ChooseSqlType(const ColumnShape& shape, Dialect dialect) {
  const bool postgres = dialect == Dialect::kPostgres;
  SqlType type{postgres ? "bytea" : "BLOB", ValueKind::kHex};
  if (shape.size == 0 || shape.size > kLargestProbe) return type;
  std::vector<std::byte> probe(shape.size);
  for (int n = 0; FillProbe(n, &probe); ++n) {
    type.kind = FormatValueText(shape, probe).kind;
    if (type.kind != ValueKind::kHex) break;
  }
  switch (type.kind) {
    case ValueKind::kString: type.name = postgres ? "text" : "TEXT"; break;
    case ValueKind::kNumber: type.name = postgres ? PostgresNumber(shape) : SqliteNumber(shape); break;
    case ValueKind::kBoolean: type.name = postgres ? "boolean" : "BOOLEAN"; break;
    case ValueKind::kHex: break;
  }
  return type;
}

}  // namespace dictdump
