// The entries of a key lie sorted over a run of pages, and every page read
// for the first time costs a read and a checksum. A plain binary search over
// N entries reads about log2(N / entries per page) pages that no other
// lookup needs, so one table's report grew with the size of the dictionary.
//
// The search here goes page by page instead. It guesses the page from the
// value (interpolation: where the value's first segment lies between those
// of the entries known to bound it), and looks only at that page's first and
// last entries, which either hold the answer between them or cut the range
// by a whole page. The dictionary's keys (table and field ids given out in
// turn, names) are spread evenly enough that the first guess mostly hits.
// Guesses alternate with halvings, so a key whose values bunch up costs at
// most twice the pages of a binary search. The result is the same entry a
// binary search finds: the guesses choose only which entries are compared.
#include "key_search.h"

#include <cstring>

#include "byte_order.h"
#include "key_compare.h"
#include "page_access.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

using format::SegmentDesc;

constexpr size_t kScaleBytes = 6;  // string bytes read as a number: 48 bits, exact in a double

uint8_t Folded(uint8_t c, bool fold) {
  return fold && c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 32) : c;
}

// Where a key value lies along the key's order, as a number: its first
// segment's integer, or for a string its bytes after `skip` (a prefix that
// every value in range shares) read as a base-256 number. Equal for values
// that only later bytes or segments tell apart.
struct KeyScale {
  SegmentDesc segment;
  size_t skip = 0;

  bool IsInteger() const {
    return segment.kind == format::kSignedInteger || segment.kind == format::kUnsignedInteger;
  }

  double Place(const uint8_t* key) const {
    double place = 0;
    if (IsInteger()) {
      const bool isSigned = segment.kind == format::kSignedInteger;
      switch (segment.length) {
        case 1: place = isSigned ? static_cast<int8_t>(key[0]) : key[0]; break;
        case 2: place = isSigned ? static_cast<int16_t>(format::Load16(key)) : format::Load16(key); break;
        case 4:
          place =
              isSigned ? static_cast<int32_t>(format::Load32(key)) : static_cast<double>(format::Load32(key));
          break;
        default:
          place = isSigned ? static_cast<double>(static_cast<int64_t>(format::Load64(key)))
                           : static_cast<double>(format::Load64(key));
      }
    } else {
      const bool fold = segment.kind == format::kCaseInsensitiveString;
      for (size_t i = skip; i < skip + kScaleBytes; ++i)
        place = place * 256 + (i < segment.length ? Folded(key[i], fold) : 0);
    }
    return segment.descending ? -place : place;
  }
};

// The scale for values between `first` and `last`: a string scale starts at
// the first byte in which the two differ.
KeyScale ScaleBetween(const SegmentDesc& segment, const uint8_t* first, const uint8_t* last) {
  KeyScale scale{segment, 0};
  if (segment.kind == format::kString || segment.kind == format::kCaseInsensitiveString) {
    const bool fold = segment.kind == format::kCaseInsensitiveString;
    while (scale.skip < segment.length && Folded(first[scale.skip], fold) == Folded(last[scale.skip], fold))
      ++scale.skip;
  }
  return scale;
}

// The known bounds of the search: entries before `low` are below the value,
// entries from `high` on are not; lowPlace and highPlace are the places of
// entries low - 1 and high.
struct Range {
  uint32_t low, high;
  double lowPlace, highPlace;
};

// The entry to look at next: a guess from the places, or the middle. The
// places are those of entries low - 1 and high, so the guess is the first
// entry the line between them puts above the target. No guess between two
// neighbouring integers: the range is then the end of one run of equal
// values and the start of the next, where only halving finds the border.
uint32_t Probe(const Range& r, double target, bool guess, bool integer) {
  const uint32_t width = r.high - r.low;
  const double span = r.highPlace - r.lowPlace;
  if (guess && span > (integer ? 1 : 0)) {
    double share = (target - r.lowPlace) / span;
    share = share < 0 ? 0 : (share > 1 ? 1 : share);
    const double line = share * (width + 1.0);
    auto above = static_cast<uint32_t>(line);  // rounded up: the first entry past the point
    if (above < line) ++above;
    return r.low + (above == 0 ? 0 : (above > width ? width - 1 : above - 1));
  }
  return r.low + width / 2;
}

int16_t SearchKey(OpenFile& file, const format::KeyDesc& key, const uint8_t* value, uint32_t* out) {
  const auto segments = file.header.SegmentsOf(key);
  const uint32_t count = file.header.recordCount;
  const uint32_t perPage = key.entriesPerPage;
  *out = 0;
  if (count == 0) return RECMGR_STATUS_SUCCESS;

  // The first and the last entry bound everything; their pages serve every
  // lookup of the key. Their values are copied: an entry's bytes last only
  // until the next page access.
  uint8_t first[256], last[256];
  const uint8_t* entry = EntryAt(file, key, 0);
  if (entry == nullptr) return RECMGR_STATUS_IO_ERROR;
  if (format::CompareKeys(entry, value, segments) >= 0) return RECMGR_STATUS_SUCCESS;
  std::memcpy(first, entry, key.length);
  entry = EntryAt(file, key, count - 1);
  if (entry == nullptr) return RECMGR_STATUS_IO_ERROR;
  if (format::CompareKeys(entry, value, segments) < 0) {
    *out = count;
    return RECMGR_STATUS_SUCCESS;
  }
  std::memcpy(last, entry, key.length);

  const KeyScale scale = ScaleBetween(segments[0], first, last);
  // Aim just below the value: for an integer key, between its run of equal
  // values and the values before it, where the first of the run is.
  const double place = scale.Place(value);
  const bool integer = scale.IsInteger();
  const double target = integer ? place - 0.5 : place;
  Range r{1, count - 1, scale.Place(first), scale.Place(last)};
  // Narrow down page by page until the answer lies within one page.
  for (bool guess = true; r.low < r.high && r.low / perPage != (r.high - 1) / perPage; guess = !guess) {
    const uint64_t start = uint64_t{Probe(r, target, guess, integer) / perPage} * perPage;
    const uint32_t pageFirst = start > r.low ? static_cast<uint32_t>(start) : r.low;
    const uint32_t pageLast =
        static_cast<uint32_t>((start + perPage < r.high ? start + perPage : r.high) - 1);
    entry = EntryAt(file, key, pageFirst);
    if (entry == nullptr) return RECMGR_STATUS_IO_ERROR;
    if (format::CompareKeys(entry, value, segments) >= 0) {
      r.high = pageFirst;
      r.highPlace = scale.Place(entry);
      continue;
    }
    const double firstPlace = scale.Place(entry);
    entry = EntryAt(file, key, pageLast);
    if (entry == nullptr) return RECMGR_STATUS_IO_ERROR;
    if (format::CompareKeys(entry, value, segments) < 0) {
      r.low = pageLast + 1;
      r.lowPlace = scale.Place(entry);
      continue;
    }
    r = Range{pageFirst + 1, pageLast, firstPlace, scale.Place(entry)};
  }
  // Within one page the same, entry by entry. A guess that lands right, on
  // the first entry of the value's run or just before it, is confirmed by
  // the entry beside it, where the bound it moved now lies.
  bool movedHigh = false;
  const auto compareAt = [&](uint32_t index) -> bool {
    entry = EntryAt(file, key, index);
    if (entry == nullptr) return false;
    movedHigh = format::CompareKeys(entry, value, segments) >= 0;
    if (movedHigh) {
      r.high = index;
      r.highPlace = scale.Place(entry);
    } else {
      r.low = index + 1;
      r.lowPlace = scale.Place(entry);
    }
    return true;
  };
  for (bool guess = true; r.low < r.high; guess = !guess) {
    if (!compareAt(Probe(r, target, guess, integer))) return RECMGR_STATUS_IO_ERROR;
    if (guess && r.low < r.high && !compareAt(movedHigh ? r.high - 1 : r.low)) return RECMGR_STATUS_IO_ERROR;
  }
  *out = r.low;
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace

int16_t LowerBound(OpenFile& file, const format::KeyDesc& key, const uint8_t* value, uint32_t* out) {
  LastSearch& last = file.lastSearch;
  if (last.keyNumber == key.number && std::memcmp(last.value, value, key.length) == 0) {
    *out = last.answer;
    return RECMGR_STATUS_SUCCESS;
  }
  const int16_t status = SearchKey(file, key, value, out);
  if (status == RECMGR_STATUS_SUCCESS) {
    last.keyNumber = key.number;
    std::memcpy(last.value, value, key.length);
    last.answer = *out;
  }
  return status;
}

}  // namespace recmgr
