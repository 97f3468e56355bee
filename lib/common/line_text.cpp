#include "morvel2/common/line_text.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kDigitsMax = 20;  // of an unsigned 64-bit number

void AppendSpaces(LineText* line, int count) {
  const int room = kLineTextCapacity - line->length;
  if (count > room) count = room;
  if (count <= 0) return;
  std::memset(line->text + line->length, ' ', static_cast<size_t>(count));
  line->length += count;
}

// Two decimal digits of each number below 100: half the divisions of a
// digit at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The digits of `magnitude`, after an optional minus sign, right-aligned in
// `width` characters.
void AppendDigits(LineText* line, unsigned long long magnitude, bool negative, int width) {
  char digits[kDigitsMax + 1];
  char* const end = digits + sizeof digits;
  char* start = end;
  while (magnitude >= 100) {
    const unsigned pair = static_cast<unsigned>(magnitude % 100);
    magnitude /= 100;
    start -= 2;
    std::memcpy(start, kDigitPairs + 2 * pair, 2);
  }
  if (magnitude >= 10) {
    start -= 2;
    std::memcpy(start, kDigitPairs + 2 * magnitude, 2);
  } else {
    *--start = static_cast<char>('0' + magnitude);
  }
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
