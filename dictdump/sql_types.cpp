#include "sql_types.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "morvel2/dictionary/column_types.h"

namespace dictdump {

namespace {

// Column sizes up to this get a zero value to look at; longer ones hold bytes.
constexpr uint32_t kLargestProbe = 65536;
// The most digits a PostgreSQL numeric(p,s) declares.
constexpr uint32_t kPostgresMaxPrecision = 1000;
constexpr int kCurrencyPrecision = 19;
constexpr int kCurrencyPlaces = 4;

std::string PostgresDecimal(uint64_t digits, uint32_t places) {
  const uint64_t precision = std::max<uint64_t>(digits, places);
  if (precision == 0 || precision > kPostgresMaxPrecision) return "numeric";
  return "numeric(" + std::to_string(precision) + "," + std::to_string(places) + ")";
}

bool SeparateSign(NumericSign sign) {
  return sign != NumericSign::kOverpunch && sign != NumericSign::kAsciiOverpunch;
}

std::string PostgresNumber(const ColumnShape& shape) {
  const ColumnType type = DescribeColumnType(shape.typeCode);
  switch (type.valueClass) {
    case ValueClass::kSignedInteger:
      return shape.size <= 2 ? "smallint" : shape.size <= 4 ? "integer" : "bigint";
    case ValueClass::kUnsignedInteger:
      if (shape.size == 8) return "numeric(20,0)";
      return shape.size == 1 ? "smallint" : shape.size == 2 ? "integer" : "bigint";
    case ValueClass::kLogical: return LogicalNumbers(shape).name;
    case ValueClass::kFloat: return shape.size == 4 ? "real" : "double precision";
    case ValueClass::kCurrency: return PostgresDecimal(kCurrencyPrecision, kCurrencyPlaces);
    case ValueClass::kPackedDecimal: return PostgresDecimal(uint64_t{shape.size} * 2 - 1, shape.decimals);
    case ValueClass::kNumericString:
      return PostgresDecimal(shape.size - (SeparateSign(type.sign) ? 1 : 0), shape.decimals);
    default: return "numeric";
  }
}

std::string PostgresString(const ColumnShape& shape) {
  switch (DescribeColumnType(shape.typeCode).valueClass) {
    case ValueClass::kDate: return "date";
    case ValueClass::kTime: return "time";
    case ValueClass::kTimestamp: return "timestamp";  // microseconds, as the column keeps them
    case ValueClass::kGuid: return "uuid";
    default: return "text";
  }
}

// SQLite keeps an integer of up to 64 signed bits exactly; any other number
// it would round to 15 digits or reshape (12.50 as 12.5, 2 as 2.0), so it is
// text, which reads back with the digits written.
bool SqliteInteger(const ColumnShape& shape) {
  switch (DescribeColumnType(shape.typeCode).valueClass) {
    case ValueClass::kSignedInteger:
    case ValueClass::kLogical: return true;
    case ValueClass::kUnsignedInteger: return shape.size < 8;
    default: return false;
  }
}

// Fills `probe` with the n-th pattern that holds a value in a type that has
// a text form: zero bytes, bytes of 1 (day 1 of month 1: zero is no date),
// a packed decimal 0 (sign 0xF in the last half-byte), ASCII zeros, then
// ASCII zeros with each sign a numeric string keeps: overpunched, '+' or
// ' ' last, '+' or ' ' first. False past the last.
bool FillProbe(int n, std::vector<std::byte>* probe) {
  struct Pattern {
    unsigned char fill, first, last;
  };
  static constexpr Pattern kPatterns[] = {{0, 0, 0},       {1, 1, 1},       {0, 0, 0x0F},
                                          {'0', '0', '0'}, {'0', '0', '{'}, {'0', '0', '+'},
                                          {'0', '+', '0'}, {'0', '0', ' '}, {'0', ' ', '0'}};
  if (n >= static_cast<int>(std::size(kPatterns))) return false;
  const Pattern& pattern = kPatterns[n];
  std::fill(probe->begin(), probe->end(), std::byte{pattern.fill});
  probe->front() = std::byte{pattern.first};
  probe->back() = std::byte{pattern.last};
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
    case ValueKind::kString:
      type.name = postgres ? PostgresString(shape) : "TEXT";
      type.foldsCase = type.name == "text" || type.name == "TEXT";
      break;
    case ValueKind::kNumber:
      if (postgres) {
        type.name = PostgresNumber(shape);
      } else {
        type.quotedNumbers = !SqliteInteger(shape);
        type.name = type.quotedNumbers ? "TEXT" : "INTEGER";
      }
      break;
    case ValueKind::kBoolean: type.name = postgres ? "boolean" : "BOOLEAN"; break;
    case ValueKind::kHex: break;
  }
  return type;
}

SqlType LogicalNumbers(const ColumnShape& shape) {
  return SqlType{shape.size == 1 ? "smallint" : "integer", ValueKind::kNumber};
}

}  // namespace dictdump
