#include "key_compare.h"

#include <cstring>

#include "byte_order.h"

namespace recmgr::format {
namespace {

template <typename T>
int Order(T a, T b) {
  return (a > b) - (a < b);
}

// Integer segments of every length, each as its own case so that the
// comparison of a segment is a couple of loads and compares.
int CompareSigned(const uint8_t* a, const uint8_t* b, uint16_t length) {
  switch (length) {
    case 1: return Order(static_cast<int8_t>(a[0]), static_cast<int8_t>(b[0]));
    case 2: return Order(static_cast<int16_t>(Load16(a)), static_cast<int16_t>(Load16(b)));
    case 4: return Order(static_cast<int32_t>(Load32(a)), static_cast<int32_t>(Load32(b)));
    default: return Order(static_cast<int64_t>(Load64(a)), static_cast<int64_t>(Load64(b)));
  }
}

int CompareUnsigned(const uint8_t* a, const uint8_t* b, uint16_t length) {
  switch (length) {
    case 1: return Order(a[0], b[0]);
    case 2: return Order(Load16(a), Load16(b));
    case 4: return Order(Load32(a), Load32(b));
    default: return Order(Load64(a), Load64(b));
  }
}

uint8_t Fold(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }

bool SameEightBytes(const uint8_t* a, const uint8_t* b) {
  uint64_t x, y;
  std::memcpy(&x, a, sizeof x);
  std::memcpy(&y, b, sizeof y);
  return x == y;
}

// Equal bytes fold alike, so runs of equal bytes (the padding of names) are
// passed eight at a time and only bytes that differ are folded.
int CompareFolded(const uint8_t* a, const uint8_t* b, uint16_t length) {
  size_t i = 0;
  while (i < length) {
    if (length - i >= 8 && SameEightBytes(a + i, b + i)) {
      i += 8;
      continue;
    }
    const uint8_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
    ++i;
  }
  return 0;
}

int CompareSegment(const uint8_t* a, const uint8_t* b, const SegmentDesc& seg) {
  switch (seg.kind) {
    case kSignedInteger: return CompareSigned(a, b, seg.length);
    case kUnsignedInteger: return CompareUnsigned(a, b, seg.length);
    case kCaseInsensitiveString: return CompareFolded(a, b, seg.length);
    case kString: break;
  }
  const int c = std::memcmp(a, b, seg.length);
  return (c > 0) - (c < 0);
}

}  // namespace

int CompareKeys(const uint8_t* a, const uint8_t* b, std::span<const SegmentDesc> segments) {
  for (const SegmentDesc& seg : segments) {
    const int c = CompareSegment(a, b, seg);
    if (c != 0) return seg.descending ? -c : c;
    a += seg.length;
    b += seg.length;
  }
  return 0;
}

void ExtractKey(const uint8_t* record, std::span<const SegmentDesc> segments, uint8_t* out) {
  ExtractKeyInline(record, segments, out);
}

}  // namespace recmgr::format
