// The Get operations and their statuses: positioning, Get Next after each
// positioning Get, statuses 1, 3, 6, 7, 8, 9, 21 and 22, null buffers; Step
// First and Step Next in stored order and how they mix with the Gets.
#include <gtest/gtest.h>

#include <cstring>

#include "engine_test_support.h"
#include "temp_dir.h"

namespace {

using enginetest::Bytes;
using enginetest::Get;
using enginetest::Join;
using enginetest::LittleEndian;
using enginetest::Text;
using recmgr::SegmentType;

constexpr uint16_t kRecordLength = 12;  // id u32 | value u16 | name (6 bytes)

Bytes Row(uint32_t id, uint16_t value, const char* name) {
  Bytes r = Join(LittleEndian(id, 4), LittleEndian(value, 2));
  return Join(r, Text(name, 6));
}

class GetTest : public testing::Test {
 protected:
  void SetUp() override {
    recmgr::FileSpec spec;
    spec.recordLength = kRecordLength;
    // Key numbers with gaps: 0 (id), 4 (value, duplicates), 9 (name, descending).
    spec.keys = {
        enginetest::Key(4, {enginetest::Segment(4, 2, SegmentType::kUnsignedInteger)}, true),
        enginetest::Key(0, {enginetest::Segment(0, 4, SegmentType::kUnsignedInteger)}),
        enginetest::Key(9, {enginetest::Segment(6, 6, SegmentType::kString, true)}),
    };
    rows_ = {Row(30, 10, "carol"), Row(10, 20, "alice"), Row(20, 10, "bob"), Row(40, 30, "dave")};
    ASSERT_EQ(enginetest::WriteFile(dir_ / "f.dat", spec, rows_), 0);
    ASSERT_EQ(enginetest::Open(block_, dir_ / "f.dat"), 0);
  }
  void TearDown() override { enginetest::Close(block_); }

  uint32_t IdOf(const enginetest::GetResult& r) {
    EXPECT_EQ(r.status, 0);
    return r.status == 0 ? r.record[0] : 0;
  }

  testsupport::TempDir dir_;
  enginetest::PositionBlock block_;
  std::vector<Bytes> rows_;
};

TEST_F(GetTest, GetFirstReturnsRecordLengthAndKeyValue) {
  uint8_t data[100] = {};
  uint8_t key[255];
  std::memset(key, 0xEE, sizeof key);
  uint32_t length = sizeof data;
  ASSERT_EQ(RecmgrCall(RECMGR_OP_GET_FIRST, block_.bytes, data, &length, key, 255, 0), 0);
  EXPECT_EQ(length, kRecordLength);
  EXPECT_EQ(Bytes(data, data + kRecordLength), rows_[1]);
  EXPECT_EQ(Bytes(key, key + 4), LittleEndian(10, 4));
  EXPECT_EQ(key[4], 0xEE);  // only the key value is written
}

TEST_F(GetTest, GetNextAfterEachPositioningGet) {
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_FIRST, 0)), 10u);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 0)), 20u);

  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_EQUAL, 0, LittleEndian(30, 4))), 30u);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 0)), 40u);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_END_OF_FILE);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_END_OF_FILE);

  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 0, LittleEndian(11, 4))), 20u);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 0)), 30u);

  // Key 4 holds 10 twice: carol (added first) then bob.
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_EQUAL, 4, LittleEndian(10, 2))), 30u);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 4)), 20u);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 4)), 10u);

  // Key 9 descends: dave, carol, bob, alice.
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 9, Text("bz", 6))), 20u);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 9)), 10u);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 9).status, RECMGR_STATUS_END_OF_FILE);
}

TEST_F(GetTest, GetNextWritesTheKeyValueOfItsKey) {
  ASSERT_EQ(Get(block_, RECMGR_OP_GET_FIRST, 9).status, 0);
  enginetest::GetResult r = Get(block_, RECMGR_OP_GET_NEXT, 9, {}, 6);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.key, Text("carol", 6));
}

TEST_F(GetTest, PositioningStatuses) {
  struct Case {
    const char* what;
    uint16_t operation;
    int8_t key;
    Bytes value;
    int16_t status;
  } cases[] = {
      {"equal, missing", RECMGR_OP_GET_EQUAL, 0, LittleEndian(25, 4), 4},
      {"equal, below all", RECMGR_OP_GET_EQUAL, 0, LittleEndian(0, 4), 4},
      {"equal, above all", RECMGR_OP_GET_EQUAL, 0, LittleEndian(99, 4), 4},
      {"greater or equal, past the end", RECMGR_OP_GET_GREATER_OR_EQUAL, 0, LittleEndian(41, 4), 9},
      {"undeclared key between declared ones", RECMGR_OP_GET_FIRST, 2, {}, 6},
      {"key number past the last", RECMGR_OP_GET_EQUAL, 10, {}, 6},
      {"highest key number", RECMGR_OP_GET_GREATER_OR_EQUAL, 127, {}, 6},
      {"negative key number", RECMGR_OP_GET_FIRST, -1, {}, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Get(block_, c.operation, c.key, c.value).status, c.status) << c.what;
  }
}

TEST_F(GetTest, GetNextStatuses) {
  // 8: no positioning Get yet.
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_INVALID_POSITIONING);
  // 7: another key than the positioning call's; the position survives it.
  ASSERT_EQ(Get(block_, RECMGR_OP_GET_FIRST, 0).status, 0);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 4).status, RECMGR_STATUS_DIFFERENT_KEY_NUMBER);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 2).status, RECMGR_STATUS_DIFFERENT_KEY_NUMBER);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_NEXT, 0)), 20u);
  // 8 again after a failed Get Equal and after a Get Greater or Equal past the end.
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_EQUAL, 0, LittleEndian(25, 4)).status, 4);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_INVALID_POSITIONING);
  ASSERT_EQ(Get(block_, RECMGR_OP_GET_FIRST, 0).status, 0);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 0, LittleEndian(99, 4)).status, 9);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_INVALID_POSITIONING);
  // After a reopen the position is gone.
  ASSERT_EQ(Get(block_, RECMGR_OP_GET_FIRST, 0).status, 0);
  ASSERT_EQ(enginetest::Close(block_), 0);
  ASSERT_EQ(enginetest::Open(block_, dir_ / "f.dat"), 0);
  EXPECT_EQ(Get(block_, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_INVALID_POSITIONING);
}

TEST_F(GetTest, BufferStatuses) {
  uint8_t data[kRecordLength];
  uint8_t key[255] = {};
  uint32_t length = kRecordLength - 1;
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_FIRST, block_.bytes, data, &length, key, 255, 0),
            RECMGR_STATUS_DATA_BUFFER_TOO_SHORT);
  EXPECT_EQ(length, kRecordLength - 1u);
  length = kRecordLength;
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_FIRST, block_.bytes, data, &length, key, 3, 0),
            RECMGR_STATUS_KEY_BUFFER_TOO_SHORT);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_FIRST, block_.bytes, data, &length, key, 4, 0), 0);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, block_.bytes, data, &length, key, 3, 0),
            RECMGR_STATUS_KEY_BUFFER_TOO_SHORT);
  length = 1;
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, block_.bytes, data, &length, key, 4, 0),
            RECMGR_STATUS_DATA_BUFFER_TOO_SHORT);
  length = kRecordLength;  // the failed Get Next left the position alone
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, block_.bytes, data, &length, key, 4, 0), 0);
  EXPECT_EQ(data[0], 20);
}

TEST_F(GetTest, NullPointersGiveStatuses) {
  uint8_t data[64];
  uint8_t key[255] = {};
  uint32_t length = sizeof data;
  for (uint16_t op : {RECMGR_OP_GET_EQUAL, RECMGR_OP_GET_GREATER_OR_EQUAL, RECMGR_OP_GET_FIRST}) {
    EXPECT_EQ(RecmgrCall(op, block_.bytes, nullptr, &length, key, 255, 0), 22) << op;
    EXPECT_EQ(RecmgrCall(op, block_.bytes, data, nullptr, key, 255, 0), 22) << op;
    EXPECT_EQ(RecmgrCall(op, block_.bytes, data, &length, nullptr, 255, 0), 21) << op;
    EXPECT_EQ(RecmgrCall(op, nullptr, data, &length, key, 255, 0), 3) << op;
  }
  ASSERT_EQ(RecmgrCall(RECMGR_OP_GET_FIRST, block_.bytes, data, &length, key, 255, 0), 0);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, block_.bytes, nullptr, &length, key, 255, 0), 22);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, block_.bytes, data, nullptr, key, 255, 0), 22);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, block_.bytes, data, &length, nullptr, 255, 0), 21);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_GET_NEXT, nullptr, data, &length, key, 255, 0), 3);
}

TEST_F(GetTest, UnknownOperationsGiveStatus1) {
  uint8_t data[64];
  uint8_t key[255] = {};
  uint32_t length = sizeof data;
  for (uint16_t op : {2, 3, 4, 7, 8, 10, 11, 13, 14, 16, 50, 65535}) {
    EXPECT_EQ(RecmgrCall(op, block_.bytes, data, &length, key, 255, 0), RECMGR_STATUS_INVALID_OPERATION)
        << op;
  }
  EXPECT_EQ(RecmgrCall(99, nullptr, nullptr, nullptr, nullptr, 0, 0), 1);
  EXPECT_EQ(IdOf(Get(block_, RECMGR_OP_GET_FIRST, 0)), 10u);  // the file is still open
}

TEST_F(GetTest, StepsGiveEveryRecordOnceInStoredOrder) {
  int16_t end = 0;
  std::vector<uint32_t> positions;
  EXPECT_EQ(enginetest::StepAll(block_, &end, &positions), rows_);
  EXPECT_EQ(end, RECMGR_STATUS_END_OF_FILE);
  EXPECT_EQ(positions, (std::vector<uint32_t>{0, 1, 2, 3}));
  EXPECT_EQ(Get(block_, RECMGR_OP_STEP_NEXT, 0).status, RECMGR_STATUS_END_OF_FILE);

  // A Step and a key position exclude each other; each failure below keeps
  // the current record where the call's contract says.
  struct Step {
    uint16_t operation;
    int16_t status;
    uint32_t id;  // of the record returned
  } steps[] = {
      {RECMGR_OP_GET_FIRST, 0, 10}, {RECMGR_OP_STEP_NEXT, 8, 0},   {RECMGR_OP_STEP_FIRST, 0, 30},
      {RECMGR_OP_GET_NEXT, 8, 0},   {RECMGR_OP_STEP_NEXT, 0, 10},  {RECMGR_OP_GET_EQUAL, 4, 0},
      {RECMGR_OP_STEP_NEXT, 8, 0},  {RECMGR_OP_STEP_FIRST, 0, 30}, {RECMGR_OP_STEP_NEXT, 0, 10},
  };
  for (const Step& step : steps) {
    const enginetest::GetResult r = Get(block_, step.operation, 0, LittleEndian(25, 4));
    EXPECT_EQ(r.status, step.status) << step.operation;
    if (r.status == 0) {
      EXPECT_EQ(r.record[0], step.id) << step.operation;
    }
  }

  uint8_t data[kRecordLength];
  uint32_t length = kRecordLength - 1;
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STEP_NEXT, block_.bytes, data, &length, nullptr, 0, 0), 22);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STEP_NEXT, block_.bytes, nullptr, &length, nullptr, 0, 0), 22);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STEP_FIRST, nullptr, data, &length, nullptr, 0, 0), 3);
  length = kRecordLength;  // no key buffer: no position written, the step still works
  EXPECT_EQ(RecmgrCall(RECMGR_OP_STEP_NEXT, block_.bytes, data, &length, nullptr, 0, 0), 0);
  EXPECT_EQ(data[0], 20);
}

TEST(EmptyFileGetTest, NoRecordsAndNoKeys) {
  testsupport::TempDir dir;
  recmgr::FileSpec spec;
  spec.recordLength = 8;
  spec.keys = {enginetest::Key(1, {enginetest::Segment(0, 8, SegmentType::kString)})};
  ASSERT_EQ(enginetest::WriteFile(dir / "empty.dat", spec, {}), 0);
  spec.keys.clear();
  ASSERT_EQ(enginetest::WriteFile(dir / "keyless.dat", spec, {Bytes(8, 'x')}), 0);

  enginetest::PositionBlock block;
  ASSERT_EQ(enginetest::Open(block, dir / "empty.dat"), 0);
  EXPECT_EQ(Get(block, RECMGR_OP_GET_FIRST, 1).status, RECMGR_STATUS_END_OF_FILE);
  EXPECT_EQ(Get(block, RECMGR_OP_GET_GREATER_OR_EQUAL, 1, Bytes(8, 0)).status, 9);
  EXPECT_EQ(Get(block, RECMGR_OP_GET_EQUAL, 1, Bytes(8, 0)).status, 4);
  EXPECT_EQ(Get(block, RECMGR_OP_GET_NEXT, 1).status, RECMGR_STATUS_INVALID_POSITIONING);
  EXPECT_EQ(Get(block, RECMGR_OP_STEP_FIRST, 1).status, RECMGR_STATUS_END_OF_FILE);
  EXPECT_EQ(Get(block, RECMGR_OP_STEP_NEXT, 1).status, RECMGR_STATUS_INVALID_POSITIONING);
  EXPECT_EQ(enginetest::Close(block), 0);

  ASSERT_EQ(enginetest::Open(block, dir / "keyless.dat"), 0);
  int16_t end = 0;
  EXPECT_EQ(enginetest::StepAll(block, &end), std::vector<Bytes>{Bytes(8, 'x')});
  EXPECT_EQ(end, RECMGR_STATUS_END_OF_FILE);
  for (uint16_t op : {RECMGR_OP_GET_FIRST, RECMGR_OP_GET_EQUAL, RECMGR_OP_GET_GREATER_OR_EQUAL}) {
    EXPECT_EQ(Get(block, op, 0).status, RECMGR_STATUS_INVALID_KEY_NUMBER) << op;
  }
  EXPECT_EQ(Get(block, RECMGR_OP_GET_NEXT, 0).status, RECMGR_STATUS_INVALID_POSITIONING);
  EXPECT_EQ(enginetest::Close(block), 0);
}

}  // namespace
