// The description language's keyword of each column type code, for the
// tools that write descriptions (the builder reads the same words).
#ifndef MORVEL2_DICTIONARY_TYPE_KEYWORDS_H
#define MORVEL2_DICTIONARY_TYPE_KEYWORDS_H

// "CHAR" for 0 … "INDEXDEF" for 37; nullptr for codes without a keyword,
// which a description writes as TYPE n.
const char* TypeKeyword(int typeCode);

#endif  // MORVEL2_DICTIONARY_TYPE_KEYWORDS_H
