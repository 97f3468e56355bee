// Text helpers for the fixed-width, space-padded names and locations of the
// dictionary.
#ifndef MORVEL2_COMMON_TEXT_HELPERS_H
#define MORVEL2_COMMON_TEXT_HELPERS_H

// Replaces trailing spaces by terminators, walking back from the end; never
// removes the first character, so a text of spaces only keeps one space.
void TrimTrailingSpaces(char* text);

// Appends spaces until the text is `width` characters long; adds no
// terminator. REQUIRES: the buffer holds at least `width` characters.
void PadWithSpaces(char* text, int width);

// Every "^" becomes a space: a space inside a stored name may be a caret.
void CaretsToSpaces(char* text);

// Every space becomes a "^", for the second lookup of a name.
void SpacesToCarets(char* text);

// The stored name in `field` (`width` bytes, terminated earlier or not) as
// a report prints it: carets as spaces, trailing spaces cut but never the
// first character. The text CopyFixedText, CaretsToSpaces and
// TrimTrailingSpaces give in turn, in one pass. REQUIRES: `target` holds
// width + 1 characters.
void CopyStoredName(char* target, const char* field, int width);

// Copies at most `width` characters of a fixed-width field (which need not be
// terminated) into `target` and terminates it at `width` at the latest.
// REQUIRES: `target` holds width + 1 characters.
void CopyFixedText(char* target, const char* field, int width);

// Copies a terminated text, at most `maxLength` characters of it, into
// `target` and terminates it. REQUIRES: `target` holds maxLength + 1.
void CopyText(char* target, const char* text, int maxLength);

#endif  // MORVEL2_COMMON_TEXT_HELPERS_H
