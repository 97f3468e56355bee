#include "crc32c.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <nmmintrin.h>
#endif

namespace recmgr::format {
namespace {

constexpr uint32_t kPolynomial = 0x82F63B78u;  // reflected Castagnoli

// kTables[k][b]: the CRC of byte b followed by k zero bytes (slice-by-8).
constexpr std::array<std::array<uint32_t, 256>, 8> MakeTables() {
  std::array<std::array<uint32_t, 256>, 8> t{};
  for (uint32_t b = 0; b < 256; ++b) {
    uint32_t c = b;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
    t[0][b] = c;
  }
  for (int k = 1; k < 8; ++k) {
    for (uint32_t b = 0; b < 256; ++b) t[k][b] = (t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF];
  }
  return t;
}

constexpr auto kTables = MakeTables();

// Three lanes of 1,360 bytes, 4,080 in all: the checked bytes of a 4 KiB
// page but twelve.
constexpr size_t kLane = 1360;

// kShift[k][b]: byte b at place k of the register, carried over kLane zero
// bytes. The carry is linear, so a register's is the exclusive or of its
// four bytes' (see Carry).
constexpr std::array<std::array<uint32_t, 256>, 4> MakeShift() {
  uint32_t bit[32] = {};
  for (int i = 0; i < 32; ++i) {
    uint32_t c = uint32_t{1} << i;
    for (size_t z = 0; z < kLane; ++z) c = (c >> 8) ^ kTables[0][c & 0xFF];
    bit[i] = c;
  }
  std::array<std::array<uint32_t, 256>, 4> t{};
  for (int k = 0; k < 4; ++k) {
    for (uint32_t b = 0; b < 256; ++b) {
      uint32_t c = 0;
      for (int j = 0; j < 8; ++j)
        if ((b >> j) & 1) c ^= bit[8 * k + j];
      t[k][b] = c;
    }
  }
  return t;
}

constexpr auto kShift = MakeShift();

// The register `c` after kLane more zero bytes.
uint32_t Carry(uint32_t c) {
  return kShift[0][c & 0xFF] ^ kShift[1][(c >> 8) & 0xFF] ^ kShift[2][(c >> 16) & 0xFF] ^ kShift[3][c >> 24];
}

// Both take and return the register form (not inverted).
uint32_t SoftwareUpdate(uint32_t c, const uint8_t* data, size_t n) {
  while (n >= 8) {
    uint32_t lo = c ^ (static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
                       (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24));
    c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
        kTables[4][lo >> 24] ^ kTables[3][data[4]] ^ kTables[2][data[5]] ^ kTables[1][data[6]] ^
        kTables[0][data[7]];
    data += 8;
    n -= 8;
  }
  while (n-- > 0) c = (c >> 8) ^ kTables[0][(c ^ *data++) & 0xFF];
  return c;
}

#if defined(__x86_64__)

// The SSE4.2 crc32 instruction computes this very CRC, eight bytes at a
// time: every page is checked once per open handle, so this is the bulk of
// a first read.
__attribute__((target("sse4.2"))) uint32_t HardwareUpdate(uint32_t c, const uint8_t* data, size_t n) {
  uint64_t c64 = c;
  // Three lanes at once: a crc32 step waits for the one before it in its
  // chain, so three independent chains keep the processor busy, and the
  // lanes' registers are joined by carrying each over the next lane's length
  // (a CRC is linear in its register and its data).
  while (n >= 3 * kLane) {
    uint64_t a = c64, b = 0, d = 0;
    for (size_t i = 0; i < kLane; i += 8) {
      uint64_t words[3];
      std::memcpy(&words[0], data + i, 8);
      std::memcpy(&words[1], data + kLane + i, 8);
      std::memcpy(&words[2], data + 2 * kLane + i, 8);
      a = _mm_crc32_u64(a, words[0]);
      b = _mm_crc32_u64(b, words[1]);
      d = _mm_crc32_u64(d, words[2]);
    }
    c64 = Carry(Carry(static_cast<uint32_t>(a)) ^ static_cast<uint32_t>(b)) ^ static_cast<uint32_t>(d);
    data += 3 * kLane;
    n -= 3 * kLane;
  }
  // Four words a turn: the same chain of crc32 steps with a quarter of the
  // loop's own instructions, which were most of a page's check.
  while (n >= 32) {
    uint64_t words[4];
    std::memcpy(words, data, sizeof words);
    c64 = _mm_crc32_u64(c64, words[0]);
    c64 = _mm_crc32_u64(c64, words[1]);
    c64 = _mm_crc32_u64(c64, words[2]);
    c64 = _mm_crc32_u64(c64, words[3]);
    data += 32;
    n -= 32;
  }
  while (n >= 8) {
    uint64_t word;
    std::memcpy(&word, data, sizeof word);
    c64 = _mm_crc32_u64(c64, word);
    data += 8;
    n -= 8;
  }
  c = static_cast<uint32_t>(c64);
  while (n-- > 0) c = _mm_crc32_u8(c, *data++);
  return c;
}

// The compiler's runtime reads the processor's features once, as the program
// starts, and keeps them: the engine keeps no flag of its own.
bool HasHardwareCrc() { return __builtin_cpu_supports("sse4.2"); }

#endif

}  // namespace

uint32_t Crc32cExtend(uint32_t crc, const uint8_t* data, size_t n) {
#if defined(__x86_64__)
  if (HasHardwareCrc()) return ~HardwareUpdate(~crc, data, n);
#endif
  return Crc32cExtendPortable(crc, data, n);
}

uint32_t Crc32cExtendPortable(uint32_t crc, const uint8_t* data, size_t n) {
  return ~SoftwareUpdate(~crc, data, n);
}

bool HasCrcInstruction() {
#if defined(__x86_64__)
  return HasHardwareCrc();
#else
  return false;
#endif
}

uint32_t Crc32cExtendInstruction(uint32_t crc, const uint8_t* data, size_t n) {
#if defined(__x86_64__)
  return ~HardwareUpdate(~crc, data, n);
#else
  return Crc32cExtendPortable(crc, data, n);
#endif
}

}  // namespace recmgr::format
