// Names for SQL: carets read as spaces, bytes that are not UTF-8 replaced,
// cut to what the database keeps, and made unique within their scope (a
// table's columns; the schema's tables and indexes) without regard to
// case, since SQLite folds quoted names too.
#ifndef DICTDUMP_SQL_NAMES_H
#define DICTDUMP_SQL_NAMES_H

#include <cstddef>
#include <string>
#include <unordered_set>

namespace dictdump {

class SqlNames {
 public:
  // maxBytes: 63 for PostgreSQL, which cuts longer names; 0: no limit.
  explicit SqlNames(size_t maxBytes) : maxBytes_(maxBytes) {}

  // A name for `wanted` not handed out before in this scope: `wanted`
  // itself, else with "_2", "_3", … at its end.
  std::string Take(const std::string& wanted);

 private:
  size_t maxBytes_;
  std::unordered_set<std::string> taken_;  // folded to lower case
};

// Valid UTF-8 as it is; every byte of an invalid sequence becomes "?".
std::string ValidUtf8(const std::string& text);
bool IsValidUtf8(std::string_view text);

// Cuts `text` to at most `maxBytes` without splitting a UTF-8 character.
std::string CutUtf8(const std::string& text, size_t maxBytes);

}  // namespace dictdump

#endif  // DICTDUMP_SQL_NAMES_H
