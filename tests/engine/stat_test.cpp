// Stat: the file entry and the key entries byte by byte, the path in the key
// buffer, and the short-buffer status.
#include <gtest/gtest.h>

#include <cstring>

#include "engine_test_support.h"
#include "temp_dir.h"

namespace {

using enginetest::Bytes;
using enginetest::LittleEndian;
using recmgr::SegmentType;

class StatTest : public testing::Test {
 protected:
  void SetUp() override {
    recmgr::FileSpec spec;
    spec.recordLength = 300;
    spec.pageSize = 1536;
    spec.fileVersion = 0x62;
    spec.fileFlags = RECMGR_FILE_VARIABLE_LENGTH | RECMGR_FILE_PAGE_COMPRESSION;
    spec.keys = {
        // Declared out of order: Stat lists keys by ascending number.
        enginetest::Key(7, {enginetest::Segment(10, 20, SegmentType::kCaseInsensitiveString)}, true),
        enginetest::Key(2, {enginetest::Segment(0, 4, SegmentType::kSignedInteger),
                            enginetest::Segment(4, 2, SegmentType::kUnsignedInteger, true),
                            enginetest::Segment(299, 1, SegmentType::kString)}),
    };
    std::vector<Bytes> records;
    const char* names[] = {"Ann", "BOB", "ann", "Cy", "bob"};
    for (uint32_t i = 0; i < 5; ++i) {
      Bytes r(300, 0);
      enginetest::Put(r, 0, LittleEndian(i, 4));
      enginetest::Put(r, 10, enginetest::Text(names[i], 20));
      records.push_back(r);
    }
    ASSERT_EQ(enginetest::WriteFile(path_, spec, records), 0);
    ASSERT_EQ(enginetest::Open(block_, path_), 0);
  }
  void TearDown() override { enginetest::Close(block_); }

  testsupport::TempDir dir_;
  std::string path_ = dir_ / "stat.dat";
  enginetest::PositionBlock block_;
};

// One 16-byte key entry: position, length, flags, unique values, key.
Bytes KeySpec(uint16_t position, uint16_t length, uint16_t flags, uint32_t unique, uint8_t key) {
  Bytes e(16, 0);
  enginetest::Put(e, 0, LittleEndian(position, 2));
  enginetest::Put(e, 2, LittleEndian(length, 2));
  enginetest::Put(e, 4, LittleEndian(flags, 2));
  enginetest::Put(e, 6, LittleEndian(unique, 4));
  e[14] = key;
  return e;
}

TEST_F(StatTest, FillsTheLayoutByteByByte) {
  std::vector<uint8_t> buffer(33236, 0xCC);
  uint32_t length = static_cast<uint32_t>(buffer.size());
  char key[255];
  std::memset(key, 'k', sizeof key);
  ASSERT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, buffer.data(), &length, key, 255, -1), 0);
  ASSERT_EQ(length, 16u + 4 * 16u);

  const Bytes fileSpec = {
      0x2C, 0x01,        // record length 300
      0x00, 0x06,        // page size 1536
      2,                 // keys
      0x62,              // file version
      5,    0,    0, 0,  // records
      0x01, 0x20,        // file flags
      0,    0,           // not used
      0,    0,           // unused pages
  };
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 16), fileSpec);
  const uint16_t more = RECMGR_SEGMENT_MORE_SEGMENTS;
  const Bytes keySpecs[] = {
      KeySpec(1, 4, RECMGR_SEGMENT_SIGNED | more, 5, 2),
      KeySpec(5, 2, RECMGR_SEGMENT_UNSIGNED | RECMGR_SEGMENT_DESCENDING | more, 5, 2),
      KeySpec(300, 1, 0, 5, 2),
      KeySpec(11, 20, RECMGR_SEGMENT_CASE_INSENSITIVE | RECMGR_SEGMENT_DUPLICATES, 3, 7),
  };
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(Bytes(buffer.begin() + 16 + 16 * i, buffer.begin() + 32 + 16 * i), keySpecs[i]) << i;
  }
  EXPECT_EQ(buffer[16 + 4 * 16], 0xCC);  // nothing past the bytes filled
  EXPECT_STREQ(key, path_.c_str());
}

TEST_F(StatTest, ShortBuffersAndNullPointers) {
  std::vector<uint8_t> buffer(80, 0xCC);
  uint32_t length = 79;
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, buffer.data(), &length, nullptr, 0, -1),
            RECMGR_STATUS_DATA_BUFFER_TOO_SHORT);
  EXPECT_EQ(length, 79u);
  EXPECT_EQ(buffer[0], 0xCC);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, nullptr, &length, nullptr, 0, -1), 22);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, buffer.data(), nullptr, nullptr, 0, -1), 22);

  // Exactly enough; a key buffer too short for the path is left alone.
  length = 80;
  char key[8];
  std::memset(key, 'k', sizeof key);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, buffer.data(), &length, key, 8, -1), 0);
  EXPECT_EQ(length, 80u);
  EXPECT_EQ(std::string(key, 8), "kkkkkkkk");
}

TEST_F(StatTest, DoesNotDisturbThePosition) {
  ASSERT_EQ(enginetest::Get(block_, RECMGR_OP_GET_FIRST, 7).status, 0);
  std::vector<uint8_t> buffer(33236);
  uint32_t length = static_cast<uint32_t>(buffer.size());
  uint8_t key[255];
  ASSERT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, buffer.data(), &length, key, 255, -1), 0);
  enginetest::GetResult r = enginetest::Get(block_, RECMGR_OP_GET_NEXT, 7);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.record[0], 2);  // "Ann" then "ann"
}

TEST(StatEmptyTest, NoKeysNoRecords) {
  testsupport::TempDir dir;
  recmgr::FileSpec spec;
  spec.recordLength = 65535;
  ASSERT_EQ(enginetest::WriteFile(dir / "e.dat", spec, {}), 0);
  enginetest::PositionBlock block;
  ASSERT_EQ(enginetest::Open(block, dir / "e.dat"), 0);
  uint8_t buffer[16];
  uint32_t length = 16;
  ASSERT_EQ(RecmgrCall(RECMGR_OP_STAT, block.bytes, buffer, &length, nullptr, 0, -1), 0);
  EXPECT_EQ(length, 16u);
  EXPECT_EQ(Bytes(buffer, buffer + 16), (Bytes{0xFF, 0xFF, 0x00, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(enginetest::Close(block), 0);
}

}  // namespace
