// The decimal digits of an unsigned number, written from the last one back,
// two at a time from a table of pairs: half the divisions of a digit at a
// time. The report's numbers and the dump's values are written with it.
#ifndef MORVEL2_COMMON_DECIMAL_DIGITS_H
#define MORVEL2_COMMON_DECIMAL_DIGITS_H

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

inline constexpr int kMaxDecimalDigits = 20;  // of an unsigned 64-bit number

inline constexpr char kDecimalDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of `value` ("0" for zero) so that they end just before
// `end`, and returns where they start. Below 2^32, as most values are, in
// 32-bit steps, which cost less.
inline char* PutDigitsBefore(char* end, uint64_t value) {
  for (; value > UINT32_MAX; value /= 100) {
    end -= 2;
    std::memcpy(end, kDecimalDigitPairs + 2 * (value % 100), 2);
  }
  auto small = static_cast<uint32_t>(value);
  for (; small >= 100; small /= 100) {
    end -= 2;
    std::memcpy(end, kDecimalDigitPairs + 2 * (small % 100), 2);
  }
  if (small >= 10) {
    end -= 2;
    std::memcpy(end, kDecimalDigitPairs + 2 * small, 2);
  } else {
    *--end = static_cast<char>('0' + small);
  }
  return end;
}

// How many digits PutDigitsBefore() writes for `value`: the bit width times
// log10(2) (1233 / 4096) gives it or one less, which a power of ten
// settles. Counted for value | 1, which has as many digits and is not zero.
inline int DecimalDigitCount(uint64_t value) {
  static constexpr auto kPowersOfTen = [] {
    std::array<uint64_t, kMaxDecimalDigits> powers{};
    uint64_t power = 1;
    for (uint64_t& p : powers) {
      p = power;
      power *= 10;  // past 10^19 it wraps, unused
    }
    return powers;
  }();
  value |= 1;
  const int lower = (std::bit_width(value) * 1233) >> 12;
  return lower + (value >= kPowersOfTen[lower] ? 1 : 0);
}

#endif  // MORVEL2_COMMON_DECIMAL_DIGITS_H
