#include "morvel2/common/line_text.h"

#include <cstdio>
#include <cstring>

#include "morvel2/common/decimal_digits.h"

namespace {

void AppendSpaces(LineText* line, int count) {
  const int room = kLineTextCapacity - line->length;
  if (count > room) count = room;
  if (count <= 0) return;
  std::memset(line->text + line->length, ' ', static_cast<size_t>(count));
  line->length += count;
}

// The digits of `magnitude`, after an optional minus sign, right-aligned in
// `width` characters.
void AppendDigits(LineText* line, unsigned long long magnitude, bool negative, int width) {
  char digits[kMaxDecimalDigits + 1];
  char* const end = digits + sizeof digits;
  char* start = PutDigitsBefore(end, magnitude);
  if (negative) *--start = '-';
  const int count = static_cast<int>(end - start);
  AppendSpaces(line, width - count);
  AddBytes(line, start, count);
}

}  // namespace

void StartLine(LineText* line) { line->length = 0; }

void AddTextLeft(LineText* line, const char* text, int width) {
  const int count = static_cast<int>(std::strlen(text));
  AddBytes(line, text, count);
  AppendSpaces(line, width - count);
}

void AddNumber(LineText* line, long long value, int width) {
  const bool negative = value < 0;
  // Negated as unsigned, so the smallest value needs no wider type.
  const unsigned long long magnitude =
      negative ? 0 - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  AppendDigits(line, magnitude, negative, width);
}

void AddUnsigned(LineText* line, unsigned long long value, int width) {
  AppendDigits(line, value, false, width);
}

// The report writes from one thread: standard output's lock is not needed.
void PrintLine(const LineText& line) {
  fwrite_unlocked(line.text, 1, static_cast<size_t>(line.length), stdout);
}
