// Most keys are short. Their entries are sorted by a normalized copy whose
// plain byte order is the index's order (integers big-endian with the sign
// bit flipped, case-insensitive strings folded, descending segments
// inverted, the record number big-endian last), held as a few 64-bit words
// beside the entry's number: each comparison is then a few compares of
// words that lie together, not a walk of the segments through a pointer.
// Longer keys are sorted by the segments themselves.
#include "run_sort.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "byte_order.h"
#include "key_compare.h"

namespace recmgr {
namespace {

constexpr size_t kMaxWords = 4;  // normalized keys of up to 28 bytes

template <size_t W>
struct Item {
  std::array<uint64_t, W> words;
  uint32_t entry;
};

size_t WordsFor(size_t keyLength) { return (keyLength + 4 + 7) / 8; }

uint8_t Fold(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }

// Writes the normalized form of `entry` at `out` (WordsFor bytes * 8, the
// rest zero).
void Normalize(const uint8_t* entry, size_t keyLength, std::span<const format::SegmentDesc> segments,
               uint8_t* out) {
  uint8_t* at = out;
  const uint8_t* in = entry;
  for (const format::SegmentDesc& seg : segments) {
    switch (seg.kind) {
      case format::kSignedInteger:
      case format::kUnsignedInteger: {
        // Big-endian; a signed number's sign bit flipped puts negatives first.
        const uint8_t sign = seg.kind == format::kSignedInteger ? 0x80 : 0;
        for (size_t i = 0; i < seg.length; ++i)
          at[i] = static_cast<uint8_t>(in[seg.length - 1 - i] ^ (i == 0 ? sign : 0));
        break;
      }
      case format::kCaseInsensitiveString:
        for (size_t i = 0; i < seg.length; ++i) at[i] = Fold(in[i]);
        break;
      case format::kString: std::memcpy(at, in, seg.length); break;
    }
    if (seg.descending)
      for (size_t i = 0; i < seg.length; ++i) at[i] = static_cast<uint8_t>(~at[i]);
    at += seg.length;
    in += seg.length;
  }
  const uint32_t record = format::Load32(entry + keyLength);
  for (int i = 0; i < 4; ++i) *at++ = static_cast<uint8_t>(record >> (24 - 8 * i));
  std::memset(at, 0, WordsFor(keyLength) * 8 - (keyLength + 4));
}

uint64_t LoadBigEndian64(const uint8_t* p) {
  uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = value << 8 | p[i];
  return value;
}

template <size_t W>
void SortNormalized(const uint8_t* entries, size_t count, size_t entrySize,
                    std::span<const format::SegmentDesc> segments, std::vector<uint32_t>* sorted) {
  const size_t keyLength = entrySize - 4;
  // Every item is written before it is read: no need to clear them first.
  const std::unique_ptr<Item<W>[]> items(new Item<W>[count]);
  uint8_t normalized[W * 8];
  for (size_t i = 0; i < count; ++i) {
    Normalize(entries + i * entrySize, keyLength, segments, normalized);
    for (size_t w = 0; w < W; ++w) items[i].words[w] = LoadBigEndian64(normalized + w * 8);
    items[i].entry = static_cast<uint32_t>(i);
  }
  std::sort(items.get(), items.get() + count,
            [](const Item<W>& a, const Item<W>& b) { return a.words < b.words; });
  sorted->resize(count);
  for (size_t i = 0; i < count; ++i) (*sorted)[i] = items[i].entry;
}

void SortBySegments(const uint8_t* entries, size_t count, size_t entrySize,
                    std::span<const format::SegmentDesc> segments, std::vector<uint32_t>* sorted) {
  const size_t keyLength = entrySize - 4;
  sorted->resize(count);
  for (uint32_t i = 0; i < count; ++i) (*sorted)[i] = i;
  std::sort(sorted->begin(), sorted->end(), [&](uint32_t a, uint32_t b) {
    const uint8_t* x = entries + size_t{a} * entrySize;
    const uint8_t* y = entries + size_t{b} * entrySize;
    const int c = format::CompareKeys(x, y, segments);
    if (c != 0) return c < 0;
    return format::Load32(x + keyLength) < format::Load32(y + keyLength);
  });
}

}  // namespace

size_t SortBytesPerEntry(size_t keyLength) {
  const size_t words = WordsFor(keyLength);
  return sizeof(uint32_t) + (words <= kMaxWords ? words * 8 + 8 : 0);
}

void SortRun(const uint8_t* entries, size_t count, size_t entrySize,
             std::span<const format::SegmentDesc> segments, std::vector<uint32_t>* sorted) {
  switch (WordsFor(entrySize - 4)) {
    case 1: return SortNormalized<1>(entries, count, entrySize, segments, sorted);
    case 2: return SortNormalized<2>(entries, count, entrySize, segments, sorted);
    case 3: return SortNormalized<3>(entries, count, entrySize, segments, sorted);
    case 4: return SortNormalized<4>(entries, count, entrySize, segments, sorted);
    default: return SortBySegments(entries, count, entrySize, segments, sorted);
  }
}

}  // namespace recmgr
