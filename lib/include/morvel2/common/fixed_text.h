// The tools' form of a fixed-width, space-padded name or location of the
// dictionary, and of the report's error labels. (The report's names keep
// their own, TrimTrailingSpaces, whose text of spaces only keeps one space.)
#ifndef MORVEL2_COMMON_FIXED_TEXT_H
#define MORVEL2_COMMON_FIXED_TEXT_H

#include <string>

// The field up to its first terminator, if any, without trailing spaces: a
// text of spaces only becomes empty.
std::string TrimmedFixedText(const char* field, int width);

#endif  // MORVEL2_COMMON_FIXED_TEXT_H
