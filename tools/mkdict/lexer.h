// Splits a description into tokens: words, quoted names, strings, hex
// strings, numbers and punctuation. Comments ("-- ..." to the end of the
// line, "/* ... */") and white space separate tokens and are dropped.
#ifndef MKDICT_LEXER_H
#define MKDICT_LEXER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "source_pos.h"

namespace mkdict {

enum class TokenKind {
  kWord,        // unquoted name or keyword; text as written
  kQuotedName,  // "..." with "" for a quote; text without the quotes
  kString,      // '...' with '' for a quote; text without the quotes
  kHex,         // X'0A1B'; text holds the decoded bytes
  kInteger,     // digits or 0x digits; magnitude holds the value
  kDecimal,     // digits.digits; text as written
  kFloat,       // a number with an exponent; text as written
  kSymbol,      // one of ( ) , ; - +
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  uint64_t magnitude = 0;
  SourcePos pos;
};

// Appends every token of `source` and a final kEnd token to *tokens.
// Returns false and fills *error on a malformed token.
bool Lex(std::string_view source, std::vector<Token>* tokens, DescriptionError* error);

}  // namespace mkdict

#endif  // MKDICT_LEXER_H
