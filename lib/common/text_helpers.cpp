#include "morvel2/common/text_helpers.h"

#include <cstring>

namespace {

// Stored names are mostly padding: eight spaces are passed at a time.
bool EightSpaces(const char* text) {
  static constexpr char kSpaces[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  return std::memcmp(text, kSpaces, sizeof kSpaces) == 0;
}

}  // namespace

void TrimTrailingSpaces(char* text) {
  const size_t length = std::strlen(text);
  size_t end = length;
  while (end > 8 && EightSpaces(text + end - 8)) end -= 8;
  while (end > 1 && text[end - 1] == ' ') --end;
  std::memset(text + end, '\0', length - end);  // each trailing space becomes a terminator
}

void PadWithSpaces(char* text, int width) {
  int length = static_cast<int>(std::strlen(text));
  while (length < width) text[length++] = ' ';
}

void CaretsToSpaces(char* text) {
  while ((text = std::strchr(text, '^')) != nullptr) *text++ = ' ';
}

void SpacesToCarets(char* text) {
  for (; *text != '\0'; ++text)
    if (*text == ' ') *text = '^';
}

void CopyFixedText(char* target, const char* field, int width) {
  std::memcpy(target, field, static_cast<size_t>(width));
  target[width] = '\0';
}

void CopyText(char* target, const char* text, int maxLength) {
  int length = 0;
  while (length < maxLength && text[length] != '\0') {
    target[length] = text[length];
    ++length;
  }
  target[length] = '\0';
}
