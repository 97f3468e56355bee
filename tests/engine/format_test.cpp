// The format building blocks: checksum, owner-name hash, key order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "crc32c.h"
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

TEST(Crc32cTest, KnownValues) {
  const auto* text = reinterpret_cast<const uint8_t*>("123456789");
  EXPECT_EQ(Crc32c(text, 9), 0xE3069283u);
  uint8_t zeros[32] = {};
  EXPECT_EQ(Crc32c(zeros, 32), 0x8A9136AAu);
  EXPECT_EQ(Crc32c(text, 0), 0u);
}

TEST(Crc32cTest, PortableAndInstructionPathsAgree) {
  uint8_t data[1000];
  uint32_t seed = 12345;
  for (uint8_t& byte : data) {
    seed = seed * 1103515245u + 12345u;
    byte = static_cast<uint8_t>(seed >> 16);
  }
  // Every length up to a few words, so the byte-wise tails are covered too.
  for (size_t length : {0u, 1u, 7u, 8u, 9u, 63u, 64u, 999u, 1000u})
    EXPECT_EQ(Crc32cExtendPortable(0, data, length), Crc32c(data, length)) << length;
  const uint8_t text[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc32cExtendPortable(0, text, 9), 0xE3069283u);
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
