// The description language's keyword of each column type code, for the
// tools that write descriptions (the builder reads the same words).
#ifndef MORVEL2_DICTIONARY_TYPE_KEYWORDS_H
#define MORVEL2_DICTIONARY_TYPE_KEYWORDS_H

#include <cstdint>

// "CHAR" for 0 … "INDEXDEF" for 37; nullptr for codes without a keyword,
// which a description writes as TYPE n.
const char* TypeKeyword(int typeCode);

// Whether a description may give the code's keyword this size: a type of
// fixed width takes its default size for sure, a type without a default
// size any size. Otherwise TYPE n carries the size.
bool KeywordTakesSize(int typeCode, int32_t size);

#endif  // MORVEL2_DICTIONARY_TYPE_KEYWORDS_H
