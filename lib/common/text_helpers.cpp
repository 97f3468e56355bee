#include "morvel2/common/text_helpers.h"

#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Where the text in text[0, length) ends when its trailing spaces are cut,
// but never before its first character. Stored names are mostly padding
// (128 bytes for a name of ten), passed 16 or 8 bytes at a time.
size_t EndWithoutTrailingSpaces(const char* text, size_t length) {
  size_t end = length;
#ifdef __SSE2__
  const __m128i spaces = _mm_set1_epi8(' ');
  while (end >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + end - 16));
    const unsigned others =
        ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, spaces))) & 0xFFFFu;
    if (others != 0) return end - 16 + static_cast<size_t>(32 - __builtin_clz(others));
    end -= 16;
  }
#else
  constexpr uint64_t kEightSpaces = 0x2020202020202020;
  for (uint64_t word; end >= 8; end -= 8) {
    std::memcpy(&word, text + end - 8, sizeof word);
    if (word != kEightSpaces) break;
  }
#endif
  while (end > 0 && text[end - 1] == ' ') --end;
  return end == 0 && length > 0 ? 1 : end;
}

}  // namespace

void TrimTrailingSpaces(char* text) {
  const size_t length = std::strlen(text);
  const size_t end = EndWithoutTrailingSpaces(text, length);
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
