// A line of report text built in memory and written with one call. The
// report's lines are fixed layouts of padded texts and numbers; building them
// here gives the same bytes as the printf conversions named below at a
// fraction of the cost of interpreting a format for every field.
#ifndef MORVEL2_COMMON_LINE_TEXT_H
#define MORVEL2_COMMON_LINE_TEXT_H

constexpr int kLineTextCapacity = 512;

struct LineText {
  char text[kLineTextCapacity];
  int length;
};

// Empties the line.
void StartLine(LineText* line);

// Appends `count` bytes, as many as still fit. Inline, so that the copy of
// a literal is a move or two instead of a call.
inline void AddBytes(LineText* line, const char* bytes, int count) {
  const int room = kLineTextCapacity - line->length;
  if (count > room) count = room;
  __builtin_memcpy(line->text + line->length, bytes, static_cast<unsigned long>(count));
  line->length += count;
}

// "%s": the text as it is. Inline, so that a literal's length is known when
// compiling.
inline void AddText(LineText* line, const char* text) {
  AddBytes(line, text, static_cast<int>(__builtin_strlen(text)));
}

// "%-<width>s": the text, then spaces up to `width` characters.
void AddTextLeft(LineText* line, const char* text, int width);

// "%<width>lld": the number right-aligned in `width` characters.
void AddNumber(LineText* line, long long value, int width);

// "%<width>llu".
void AddUnsigned(LineText* line, unsigned long long value, int width);

// Writes the line to standard output.
void PrintLine(const LineText& line);

#endif  // MORVEL2_COMMON_LINE_TEXT_H
