// The format building blocks: checksum, owner-name hash, key order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "crc32c.h"
#include "file_header.h"
#include "key_compare.h"
#include "owner_name.h"
#include "sha256.h"

namespace {

using namespace recmgr::format;

std::string Hex(const uint8_t* p, size_t n) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}

// Published CRC-32C check values, through each path this processor has:
// the table-driven one always, the crc32 instruction where present, and
// the one Crc32c chooses.
TEST(Crc32cTest, PublishedTestVectors) {
  auto bytes = [](auto make) {
    std::vector<uint8_t> v(32);
    for (size_t i = 0; i < v.size(); ++i) v[i] = make(i);
    return v;
  };
  const std::string digits = "123456789";
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
    uint32_t crc;
  } cases[] = {
      {"nothing", {}, 0},
      {"\"123456789\"", {digits.begin(), digits.end()}, 0xE3069283u},
      {"32 zeros", bytes([](size_t) { return 0; }), 0x8A9136AAu},
      {"32 bytes 0xFF", bytes([](size_t) { return 0xFF; }), 0x62A8AB43u},
      {"32 ascending bytes 0..31", bytes([](size_t i) { return i; }), 0x46DD794Eu},
      {"32 descending bytes 31..0", bytes([](size_t i) { return 31 - i; }), 0x113FDB5Cu},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Crc32cExtendPortable(0, c.data.data(), c.data.size()), c.crc) << c.what;
    if (HasCrcInstruction()) {
      EXPECT_EQ(Crc32cExtendInstruction(0, c.data.data(), c.data.size()), c.crc) << c.what;
    }
    EXPECT_EQ(Crc32c(c.data.data(), c.data.size()), c.crc) << c.what;
  }
}

TEST(Crc32cTest, PortableAndInstructionPathsAgree) {
  if (!HasCrcInstruction()) GTEST_SKIP() << "no crc32 instruction on this processor";
  uint8_t data[9000];
  uint32_t seed = 12345;
  for (uint8_t& byte : data) {
    seed = seed * 1103515245u + 12345u;
    byte = static_cast<uint8_t>(seed >> 16);
  }
  // Every length up to a few words, so the byte-wise tails are covered too,
  // and pages, whose checks run three lanes of 1,360 bytes at once.
  for (size_t length : {0u, 1u, 7u, 8u, 9u, 63u, 64u, 999u, 1000u, 4079u, 4080u, 4092u, 8161u, 9000u})
    EXPECT_EQ(Crc32cExtendPortable(0, data, length), Crc32cExtendInstruction(0, data, length)) << length;
}

TEST(PageDivisorTest, DividesEveryNumberAsTheInstructionDoes) {
  for (uint32_t d : {1u, 2u, 3u, 7u, 27u, 255u, 680u, 1023u, 4080u, 65535u, 131056u}) {
    PageDivisor divisor;
    divisor.Set(d);
    for (uint32_t n : {0u, 1u, d - 1, d, d + 1, 2 * d - 1, 123456789u, UINT32_MAX - 1, UINT32_MAX})
      EXPECT_EQ(divisor.Divide(n), n / d) << n << " / " << d;
  }
}

TEST(Crc32cTest, ExtendEqualsWhole) {
  uint8_t data[1000];
  for (size_t i = 0; i < sizeof data; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
  for (size_t split : {0u, 1u, 7u, 8u, 9u, 500u, 999u, 1000u}) {
    EXPECT_EQ(Crc32cExtend(Crc32c(data, split), data + split, sizeof data - split), Crc32c(data, sizeof data))
        << split;
  }
}

TEST(Sha256Test, KnownValues) {
  struct Case {
    std::string message, digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
  };
  for (const Case& c : cases) {
    uint8_t digest[kSha256Size];
    Sha256(reinterpret_cast<const uint8_t*>(c.message.data()), c.message.size(), digest);
    EXPECT_EQ(Hex(digest, sizeof digest), c.digest) << c.message.size();
  }
}

TEST(OwnerNameTest, SaltedHashMatchesOnlyTheName) {
  FileHeader header;
  header.hasOwner = true;
  for (size_t i = 0; i < kSaltSize; ++i) header.ownerSalt[i] = static_cast<uint8_t>(i);
  HashOwnerName(header.ownerSalt, "Master", header.ownerHash);
  EXPECT_TRUE(OwnerNameMatches(header, "Master"));
  EXPECT_FALSE(OwnerNameMatches(header, "master"));
  EXPECT_FALSE(OwnerNameMatches(header, ""));
  EXPECT_FALSE(OwnerNameMatches(header, "Master "));
  uint8_t otherSalt[kSaltSize] = {1};
  uint8_t otherHash[kOwnerHashSize];
  HashOwnerName(otherSalt, "Master", otherHash);
  EXPECT_NE(std::memcmp(otherHash, header.ownerHash, kOwnerHashSize), 0);
  header.hasOwner = false;
  EXPECT_TRUE(OwnerNameMatches(header, "anything"));
}

TEST(KeyCompareTest, SegmentBySegment) {
  const SegmentDesc segments[] = {{0, 2, kUnsignedInteger, false}, {2, 3, kString, true}};
  const uint8_t a[] = {1, 0, 'a', 'b', 'c'};
  const uint8_t b[] = {1, 0, 'a', 'b', 'd'};
  const uint8_t c[] = {0, 1, 'z', 'z', 'z'};
  EXPECT_GT(CompareKeys(a, b, segments), 0);  // second segment descends
  EXPECT_LT(CompareKeys(a, c, segments), 0);  // 1 < 256
  EXPECT_EQ(CompareKeys(a, a, segments), 0);
  uint8_t record[8] = {9, 9, 'x', 'y', 'z', 1, 0, 0};
  uint8_t key[5];
  const SegmentDesc pick[] = {{2, 3, kString, false}, {5, 2, kUnsignedInteger, false}};
  ExtractKey(record, pick, key);
  EXPECT_EQ(Hex(key, 5), "78797a0100");
}

}  // namespace
