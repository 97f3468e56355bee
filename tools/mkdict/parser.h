// Turns the tokens of a description into statements. Checks the syntax and
// that every number is a number; meaning is checked by the model builder.
#ifndef MKDICT_PARSER_H
#define MKDICT_PARSER_H

#include <vector>

#include "lexer.h"
#include "statements.h"

namespace mkdict {

// Appends the statements of `tokens` (ending with a kEnd token) to
// *statements. Returns false and fills *error at the first syntax error.
bool Parse(const std::vector<Token>& tokens, std::vector<Statement>* statements, DescriptionError* error);

}  // namespace mkdict

#endif  // MKDICT_PARSER_H
