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

// The digits of `magnitude`, after an optional minus sign, right-aligned in
// `width` characters.
void AppendDigits(LineText* line, unsigned long long magnitude, bool negative, int width) {
  char digits[kDigitsMax + 1];
  int start = sizeof digits;
  do {
    digits[--start] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) digits[--start] = '-';
  const int count = static_cast<int>(sizeof digits) - start;
  AppendSpaces(line, width - count);
  AddBytes(line, digits + start, count);
}

}  // namespace

void StartLine(LineText* line) { line->length = 0; }

void AddBytes(LineText* line, const char* bytes, int count) {
  const int room = kLineTextCapacity - line->length;
  if (count > room) count = room;
  std::memcpy(line->text + line->length, bytes, static_cast<size_t>(count));
  line->length += count;
}

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

void PrintLine(const LineText& line) { std::fwrite(line.text, 1, static_cast<size_t>(line.length), stdout); }
