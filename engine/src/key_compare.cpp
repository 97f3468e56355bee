#include "key_compare.h"

#include <cstring>

#include "byte_order.h"

namespace recmgr::format {
namespace {

uint64_t LoadUnsigned(const uint8_t* p, uint16_t length) {
  switch (length) {
    case 1: return p[0];
    case 2: return Load16(p);
    case 4: return Load32(p);
    default: return Load64(p);
  }
}

int64_t LoadSigned(const uint8_t* p, uint16_t length) {
  switch (length) {
    case 1: return static_cast<int8_t>(p[0]);
    case 2: return static_cast<int16_t>(Load16(p));
    case 4: return static_cast<int32_t>(Load32(p));
    default: return static_cast<int64_t>(Load64(p));
  }
}

template <typename T>
int Order(T a, T b) {
  return (a > b) - (a < b);
}

uint8_t Fold(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }

int CompareFolded(const uint8_t* a, const uint8_t* b, uint16_t length) {
  for (uint16_t i = 0; i < length; ++i) {
    const uint8_t x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

int CompareSegment(const uint8_t* a, const uint8_t* b, const SegmentDesc& seg) {
  switch (seg.kind) {
    case kSignedInteger: return Order(LoadSigned(a, seg.length), LoadSigned(b, seg.length));
    case kUnsignedInteger: return Order(LoadUnsigned(a, seg.length), LoadUnsigned(b, seg.length));
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
  for (const SegmentDesc& seg : segments) {
    std::memcpy(out, record + seg.offset, seg.length);
    out += seg.length;
  }
}

}  // namespace recmgr::format
