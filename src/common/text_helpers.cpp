#include "common/text_helpers.h"

#include <cstring>

void TrimTrailingSpaces(char* text) {
  size_t length = std::strlen(text);
  while (length > 1 && text[length - 1] == ' ') text[--length] = '\0';
}

void PadWithSpaces(char* text, int width) {
  int length = static_cast<int>(std::strlen(text));
  while (length < width) text[length++] = ' ';
}

void CaretsToSpaces(char* text) {
  for (; *text != '\0'; ++text)
    if (*text == '^') *text = ' ';
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
