// The statements of a description as written, before any name is resolved
// or any default is applied. The parser fills them; the model builder
// checks and resolves them.
#ifndef MKDICT_STATEMENTS_H
#define MKDICT_STATEMENTS_H

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "source_pos.h"

namespace mkdict {

struct IntClause {
  int64_t value = 0;
  SourcePos pos;
};

struct TextClause {
  std::string text;
  SourcePos pos;
};

struct PasswordDef {
  TextClause password;
};

struct ColumnDef {
  TextClause name;
  int typeCode = 0;  // 0..255
  SourcePos typePos;
  std::optional<IntClause> size;
  std::optional<IntClause> decimals;
  std::optional<IntClause> at;
  std::optional<IntClause> id;
  bool nullable = false;
  bool caseInsensitive = false;
  bool binary = false;
  std::optional<IntClause> rawFlags;
};

struct TableDef {
  TextClause name;
  std::optional<IntClause> id;
  std::optional<TextClause> location;
  bool noFile = false;
  std::optional<IntClause> pageSize;
  std::optional<IntClause> fileVersion;
  uint16_t fileFlags = 0;  // RECMGR_FILE_* bits
  std::optional<TextClause> owner;
  bool nullable = false;
  bool dictionary = false;
  std::optional<IntClause> rawFlags;
  std::vector<ColumnDef> columns;
};

struct SegmentDef {
  TextClause column;
  bool descending = false;
  bool caseInsensitive = false;
  bool alternateCollation = false;
  bool nullKey = false;
  std::optional<IntClause> rawFlags;
};

struct IndexDef {
  SourcePos pos;  // of CREATE
  std::optional<TextClause> name;
  TextClause table;
  bool unique = false;
  bool modifiable = false;
  std::optional<IntClause> number;
  std::optional<IntClause> nameId;
  std::vector<SegmentDef> segments;
};

struct ConstraintDef {
  TextClause name;
  TextClause table;
  std::optional<IntClause> id;
  std::optional<IntClause> at;
};

enum class LiteralKind { kInteger, kDecimal, kFloat, kString, kHex, kNull };

struct Literal {
  LiteralKind kind = LiteralKind::kNull;
  bool negative = false;
  uint64_t magnitude = 0;  // kInteger
  std::string text;        // digits of kDecimal and kFloat, bytes of kString and kHex
  SourcePos pos;
};

struct RowDef {
  SourcePos pos;
  std::vector<Literal> values;
};

struct InsertDef {
  TextClause table;
  std::optional<std::vector<TextClause>> columns;
  std::vector<RowDef> rows;
};

using Statement = std::variant<PasswordDef, TableDef, IndexDef, ConstraintDef, InsertDef>;

}  // namespace mkdict

#endif  // MKDICT_STATEMENTS_H
