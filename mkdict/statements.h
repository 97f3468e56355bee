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

// An owner name as written: a string, or the marker UNKNOWN a dump writes
// for a name it cannot recover (the builder refuses it).
struct OwnerClause {
  TextClause name;
  bool unknown = false;
  bool guardsChanges = false;  // GUARDS CHANGES; GUARDS ALL is the default
};

struct PasswordDef {
  OwnerClause password;
};

struct ColumnDef {
  TextClause name;
  int typeCode = 0;      // 0..255
  bool rawType = false;  // written TYPE n: any size, and hex values where the size does not fit
  SourcePos typePos;
  std::optional<IntClause> size;
  std::optional<IntClause> decimals;
  std::optional<IntClause> at;
  std::optional<IntClause> id;
  bool nullable = false;
  bool notNull = false;  // NOT NULL written: rows must give a value
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
  std::optional<OwnerClause> owner;
  bool nullable = false;
  bool dictionary = false;
  std::optional<IntClause> rawFlags;
  std::vector<ColumnDef> columns;
};

struct SegmentDef {
  TextClause column;
  bool descending = false;
  std::optional<bool> caseInsensitive;  // none: the column's
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

enum class LiteralKind { kInteger, kDecimal, kFloat, kString, kHex, kBoolean, kNull };

struct Literal {
  LiteralKind kind = LiteralKind::kNull;
  bool negative = false;
  uint64_t magnitude = 0;  // kInteger
  std::string text;        // digits of kDecimal and kFloat, bytes of kString and kHex, TRUE or FALSE
  SourcePos pos;
};

struct RowDef {
  SourcePos pos;
  std::vector<Literal> values;
};

struct InsertDef {
  SourcePos pos;  // of INSERT
  TextClause table;
  std::optional<std::vector<TextClause>> columns;
  std::vector<RowDef> rows;
};

using Statement = std::variant<PasswordDef, TableDef, IndexDef, ConstraintDef, InsertDef>;

}  // namespace mkdict

#endif  // MKDICT_STATEMENTS_H
