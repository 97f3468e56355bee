// Splits a description into tokens: words, quoted names, strings, hex
// strings, numbers and punctuation. Comments ("-- ..." to the end of the
// line, "/* ... */") and white space separate tokens and are dropped.
#ifndef MKDICT_LEXER_H
#define MKDICT_LEXER_H

#include <cstdint>
#include <cstdio>
#include <string>
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

// Reads a description from a file a buffer at a time and hands out its
// tokens one by one, so that memory does not grow with the description.
class Lexer {
 public:
  // Reads `in` (not closed here).
  explicit Lexer(std::FILE* in);

  // The next token; kEnd at the end of the text and forever after. Returns
  // false and fills *error on a malformed token or a failed read (see
  // ReadFailed()); every later call then gives kEnd and false again.
  bool Next(Token* token, DescriptionError* error);

  // The error Next() gave, once it gave one.
  bool Failed() const { return failed_; }
  const DescriptionError& Error() const { return error_; }

  // True when reading the file failed (the error then names where).
  bool ReadFailed() const { return in_.failed; }

  // The cursor over the text; public for the lexer's own helpers.
  struct Cursor {
    std::FILE* in;
    std::vector<char> buffer;
    size_t at = 0;
    size_t size = 0;
    bool eof = false;
    bool failed = false;
    int line = 1;
    int column = 1;

    bool Fill(size_t ahead);  // makes buffer[at + ahead] readable if the text has it
    bool AtEnd() { return at >= size && !Fill(0); }
    char Peek(size_t ahead = 0) {
      if (at + ahead < size || Fill(ahead)) return buffer[at + ahead];
      return '\0';
    }
    char Take() {
      char c = buffer[at++];
      if (c == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
      return c;
    }
    SourcePos Pos() const { return {line, column}; }
  };

 private:
  Cursor in_;
  bool failed_ = false;
  DescriptionError error_;
};

}  // namespace mkdict

#endif  // MKDICT_LEXER_H
