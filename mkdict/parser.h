// Turns the tokens of a description into statements, one at a time, and
// the rows of an INSERT one at a time, so that no statement's rows are
// held together. Checks the syntax and that every number is a number;
// meaning is checked by the model builder.
#ifndef MKDICT_PARSER_H
#define MKDICT_PARSER_H

#include "lexer.h"
#include "statements.h"

namespace mkdict {

// What the parser hands each statement to. A false return stops the parse
// with the *error the handler filled.
class StatementHandler {
 public:
  virtual ~StatementHandler() = default;
  // A whole statement, after its ';'. For an INSERT: its table and column
  // list (no rows), before its first row.
  virtual bool Statement(const mkdict::Statement& statement, DescriptionError* error) = 0;
  // One row of the INSERT last handed to Statement().
  virtual bool Row(const RowDef& row, DescriptionError* error) = 0;
};

// Parses the tokens of `lexer` to the end. Returns false and fills *error
// at the first malformed token, syntax error or handler failure.
bool Parse(Lexer& lexer, StatementHandler& handler, DescriptionError* error);

}  // namespace mkdict

#endif  // MKDICT_PARSER_H
