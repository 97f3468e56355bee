#include "lexer.h"

#include <algorithm>
#include <cctype>

namespace mkdict {
namespace {

using Cursor = Lexer::Cursor;

constexpr size_t kReadBytes = size_t{64} << 10;

bool IsWordStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '^' || c == '#' ||
         c == '@';
}

bool IsWordPart(char c) { return IsWordStart(c) || std::isdigit(static_cast<unsigned char>(c)); }

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Fail(SourcePos pos, std::string reason, DescriptionError* error) {
  *error = {pos, std::move(reason)};
  return false;
}

// Skips white space and comments. Returns false on an unterminated comment.
bool SkipBlanks(Cursor& in, DescriptionError* error) {
  while (!in.AtEnd()) {
    char c = in.Peek();
    if (std::isspace(static_cast<unsigned char>(c))) {
      in.Take();
    } else if (c == '-' && in.Peek(1) == '-') {
      while (!in.AtEnd() && in.Peek() != '\n') in.Take();
    } else if (c == '/' && in.Peek(1) == '*') {
      SourcePos start = in.Pos();
      in.Take();
      in.Take();
      while (!(in.Peek() == '*' && in.Peek(1) == '/')) {
        if (in.AtEnd()) return Fail(start, "unterminated comment", error);
        in.Take();
      }
      in.Take();
      in.Take();
    } else {
      break;
    }
  }
  return true;
}

// Reads text between `quote` characters; a doubled quote stands for one.
bool ReadQuoted(Cursor& in, char quote, std::string* text, DescriptionError* error) {
  SourcePos start = in.Pos();
  in.Take();
  for (;;) {
    if (in.AtEnd()) {
      return Fail(start, quote == '"' ? "unterminated quoted name" : "unterminated string", error);
    }
    char c = in.Take();
    if (c == quote) {
      if (in.Peek() != quote) return true;
      in.Take();
    }
    text->push_back(c);
  }
}

bool ReadHexString(Cursor& in, Token* token, DescriptionError* error) {
  in.Take();  // the X
  std::string digits;
  if (!ReadQuoted(in, '\'', &digits, error)) return false;
  if (digits.size() % 2 != 0) {
    return Fail(token->pos, "hex string needs an even number of digits", error);
  }
  for (size_t i = 0; i < digits.size(); i += 2) {
    int high = HexDigit(digits[i]);
    int low = HexDigit(digits[i + 1]);
    if (high < 0 || low < 0) return Fail(token->pos, "bad digit in hex string", error);
    token->text.push_back(static_cast<char>(high * 16 + low));
  }
  token->kind = TokenKind::kHex;
  return true;
}

bool ReadNumber(Cursor& in, Token* token, DescriptionError* error) {
  token->kind = TokenKind::kInteger;
  bool overflow = false;
  auto accumulate = [&](uint64_t base, int digit) {
    if (token->magnitude > (UINT64_MAX - static_cast<uint64_t>(digit)) / base) overflow = true;
    token->magnitude = token->magnitude * base + static_cast<uint64_t>(digit);
  };
  if (in.Peek() == '0' && (in.Peek(1) == 'x' || in.Peek(1) == 'X')) {
    token->text.push_back(in.Take());
    token->text.push_back(in.Take());
    if (HexDigit(in.Peek()) < 0) return Fail(token->pos, "malformed number", error);
    while (HexDigit(in.Peek()) >= 0) {
      accumulate(16, HexDigit(in.Peek()));
      token->text.push_back(in.Take());
    }
  } else {
    while (IsDigit(in.Peek())) {
      accumulate(10, in.Peek() - '0');
      token->text.push_back(in.Take());
    }
    if (in.Peek() == '.') {
      token->kind = TokenKind::kDecimal;
      token->text.push_back(in.Take());
      if (!IsDigit(in.Peek())) return Fail(token->pos, "malformed number", error);
      while (IsDigit(in.Peek())) token->text.push_back(in.Take());
    }
    if (in.Peek() == 'e' || in.Peek() == 'E') {
      token->kind = TokenKind::kFloat;
      token->text.push_back(in.Take());
      if (in.Peek() == '+' || in.Peek() == '-') token->text.push_back(in.Take());
      if (!IsDigit(in.Peek())) return Fail(token->pos, "malformed number", error);
      while (IsDigit(in.Peek())) token->text.push_back(in.Take());
    }
  }
  if (IsWordPart(in.Peek()) || in.Peek() == '.') return Fail(token->pos, "malformed number", error);
  if (token->kind == TokenKind::kInteger && overflow) {
    return Fail(token->pos, "number too large", error);
  }
  return true;
}

}  // namespace

bool Lexer::Cursor::Fill(size_t ahead) {
  if (eof || failed) return at + ahead < size;
  if (at > 0) {  // keep the unread tail at the front
    std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(at),
              buffer.begin() + static_cast<std::ptrdiff_t>(size), buffer.begin());
    size -= at;
    at = 0;
  }
  while (at + ahead >= size && !eof) {
    if (buffer.size() < size + kReadBytes) buffer.resize(size + kReadBytes);
    const size_t got = std::fread(buffer.data() + size, 1, kReadBytes, in);
    size += got;
    if (got < kReadBytes) {
      eof = true;
      failed = std::ferror(in) != 0;
    }
  }
  return at + ahead < size;
}

Lexer::Lexer(std::FILE* in) { in_.in = in; }

bool Lexer::Next(Token* out, DescriptionError* error) {
  Cursor& in = in_;
  *out = Token{};
  if (failed_) {
    out->pos = error_.pos;
    *error = error_;
    return false;
  }
  auto fail = [&]() {
    failed_ = true;
    error_ = *error;
    *out = Token{};
    out->pos = error_.pos;
    return false;
  };
  if (!SkipBlanks(in, error)) return fail();
  Token& token = *out;
  token.pos = in.Pos();
  if (in.AtEnd()) {
    if (in.failed) {
      *error = {token.pos, "cannot read the description"};
      return fail();
    }
    return true;
  }
  char c = in.Peek();
  if ((c == 'x' || c == 'X') && in.Peek(1) == '\'') {
    if (!ReadHexString(in, &token, error)) return fail();
  } else if (IsWordStart(c)) {
    token.kind = TokenKind::kWord;
    while (IsWordPart(in.Peek())) token.text.push_back(in.Take());
  } else if (IsDigit(c)) {
    if (!ReadNumber(in, &token, error)) return fail();
  } else if (c == '"' || c == '\'') {
    token.kind = c == '"' ? TokenKind::kQuotedName : TokenKind::kString;
    if (!ReadQuoted(in, c, &token.text, error)) return fail();
  } else if (c == '(' || c == ')' || c == ',' || c == ';' || c == '-' || c == '+') {
    token.kind = TokenKind::kSymbol;
    token.text.push_back(in.Take());
  } else {
    std::string shown = std::isprint(static_cast<unsigned char>(c))
                            ? std::string("'") + c + "'"
                            : "byte " + std::to_string(static_cast<unsigned char>(c));
    *error = {token.pos, "unexpected character " + shown};
    return fail();
  }
  return true;
}

}  // namespace mkdict
