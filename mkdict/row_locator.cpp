#include "row_locator.h"

#include <cstdio>
#include <memory>
#include <variant>

#include "clause_checks.h"
#include "lexer.h"
#include "parser.h"

namespace mkdict {
namespace {

// Counts the table's rows and stops the parse once both are found.
struct RowCounter : StatementHandler {
  std::string table;  // folded
  uint32_t first = 0;
  uint32_t second = 0;
  RowPlace* firstPlace = nullptr;
  RowPlace* secondPlace = nullptr;
  bool counting = false;
  SourcePos statement;
  uint32_t inStatement = 0;
  uint32_t seen = 0;
  bool found = false;

  bool Statement(const mkdict::Statement& s, DescriptionError*) override {
    const auto* insert = std::get_if<InsertDef>(&s);
    counting = insert != nullptr && FoldCase(insert->table.text) == table;
    if (insert != nullptr) statement = insert->pos;
    inStatement = 0;
    return true;
  }

  bool Row(const RowDef& row, DescriptionError*) override {
    ++inStatement;
    if (!counting) return true;
    if (seen == first) *firstPlace = {row.pos, statement, inStatement};
    if (seen == second) {
      *secondPlace = {row.pos, statement, inStatement};
      found = true;
      return false;
    }
    ++seen;
    return true;
  }
};

}  // namespace

bool LocateRows(const std::string& path, const std::string& table, uint32_t first, uint32_t second,
                RowPlace* firstPlace, RowPlace* secondPlace) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!in) return false;
  Lexer lexer(in.get());
  RowCounter counter;
  counter.table = FoldCase(table);
  counter.first = first;
  counter.second = second;
  counter.firstPlace = firstPlace;
  counter.secondPlace = secondPlace;
  DescriptionError ignored;
  Parse(lexer, counter, &ignored);
  return counter.found;
}

}  // namespace mkdict
