// The checks every statement's clauses go through: numbers in range, texts
// within their widths, and ids or numbers that are taken once.
#ifndef MKDICT_CLAUSE_CHECKS_H
#define MKDICT_CLAUSE_CHECKS_H

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>

#include "statements.h"

namespace mkdict {

// Fills *error and returns false, for one-line failure returns.
bool Fail(SourcePos pos, std::string reason, DescriptionError* error);

// The name as the report compares it: ASCII letters in upper case, and a
// caret as a space (the report shows a caret as a space).
std::string FoldCase(const std::string& name);

// Fails with "WHAT must be LOW to HIGH" unless the number is in range.
bool CheckRange(const IntClause& number, int64_t low, int64_t high, const char* what,
                DescriptionError* error);

// A raw 32-bit value, -2147483648 to 4294967295, kept as its bit pattern.
bool RawBits(const IntClause& number, const char* what, uint32_t* bits, DescriptionError* error);

// Fails when the text is empty, longer than `width` bytes or ends with a
// space (which the padding would swallow).
bool CheckText(const TextClause& text, size_t width, const std::string& what, DescriptionError* error);

// CheckText for a name of 128 bytes at most; `what` is "table", "column", ...
bool CheckName(const TextClause& name, const char* what, DescriptionError* error);

// Ids and numbers: one given is used if it is free; one left out is one
// more than the highest used so far (starting at `next`).
struct NumberSeries {
  std::unordered_set<int32_t> used;
  int64_t next = 1;

  // Takes `given`, or the next number, into *out. `raw` accepts any 32-bit
  // pattern; otherwise a signed 32-bit value. `pos` places a failure of an
  // automatic number.
  bool Take(const std::optional<IntClause>& given, bool raw, SourcePos pos, const char* what, int32_t* out,
            DescriptionError* error);
};

}  // namespace mkdict

#endif  // MKDICT_CLAUSE_CHECKS_H
