#include "morvel2/common/text_helpers.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Where the text in text[0, length) ends when its trailing padding is cut,
// but never before its first character. Padding is spaces, and carets too
// when `carets` (they stand for spaces in stored names). Stored names are
// mostly padding (128 bytes for a name of ten), passed 16 or 8 bytes at a
// time.
size_t EndWithoutPadding(const char* text, size_t length, bool carets) {
  const auto isPadding = [carets](char c) { return c == ' ' || (carets && c == '^'); };
  size_t end = length;
#ifdef __SSE2__
  const __m128i spaces = _mm_set1_epi8(' ');
  const __m128i caretsOrSpaces = _mm_set1_epi8(carets ? '^' : ' ');
  while (end >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + end - 16));
    const __m128i padding =
        _mm_or_si128(_mm_cmpeq_epi8(chunk, spaces), _mm_cmpeq_epi8(chunk, caretsOrSpaces));
    const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(padding)) & 0xFFFFu;
    if (others != 0) return end - 16 + static_cast<size_t>(32 - __builtin_clz(others));
    end -= 16;
  }
#else
  while (end >= 8 && std::all_of(text + end - 8, text + end, isPadding)) end -= 8;
#endif
  while (end > 0 && isPadding(text[end - 1])) --end;
  return end == 0 && length > 0 ? 1 : end;
}

}  // namespace

void TrimTrailingSpaces(char* text) {
  const size_t length = std::strlen(text);
  const size_t end = EndWithoutPadding(text, length, false);
  std::memset(text + end, '\0', length - end);  // each trailing space becomes a terminator
}

void PadWithSpaces(char* text, int width) {
  int length = static_cast<int>(std::strlen(text));
  while (length < width) text[length++] = ' ';
}

void CopyStoredName(char* target, const char* field, int width) {
  // The text ends at a terminator, if the field holds one.
  const auto* nul = static_cast<const char*>(std::memchr(field, '\0', static_cast<size_t>(width)));
  const size_t length = nul == nullptr ? static_cast<size_t>(width) : static_cast<size_t>(nul - field);
  const size_t end = EndWithoutPadding(field, length, true);
  for (size_t i = 0; i < end; ++i) target[i] = field[i] == '^' ? ' ' : field[i];
  target[end] = '\0';
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
