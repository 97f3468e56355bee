// Key order: every segment type in both directions, multi-segment keys and
// duplicates, read back through Get First / Get Next and found by Get Equal.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "named_case.h"
#include "temp_dir.h"

namespace {

using enginetest::Bytes;
using enginetest::Join;
using enginetest::LittleEndian;
using enginetest::Text;
using recmgr::SegmentType;

constexpr uint16_t kRecordLength = 24;
constexpr uint16_t kKeyOffset = 8;  // records: 4-byte insertion number, pad, key value

struct OrderCase : testsupport::NamedCase {
  SegmentType type;
  uint16_t length;
  bool descending;
  std::vector<Bytes> values;          // in insertion order
  std::vector<uint32_t> expectOrder;  // insertion numbers in key order
};

Bytes S(int64_t v, size_t n) { return LittleEndian(static_cast<uint64_t>(v), n); }
Bytes U(uint64_t v, size_t n) { return LittleEndian(v, n); }
Bytes T(const char* text) { return Text(text, 4); }

std::vector<OrderCase> OrderCases() {
  const auto kU = SegmentType::kUnsignedInteger;
  const auto kS = SegmentType::kSignedInteger;
  const auto kStr = SegmentType::kString;
  const auto kCi = SegmentType::kCaseInsensitiveString;
  return {
      {"Unsigned1", kU, 1, false, {U(200, 1), U(3, 1), U(255, 1), U(0, 1)}, {3, 1, 0, 2}},
      {"Unsigned2Offsets", kU, 2, false, {U(10, 2), U(0, 2), U(4, 2)}, {1, 2, 0}},
      {"Unsigned2ByteOrder", kU, 2, false, {U(256, 2), U(1, 2), U(255, 2)}, {1, 2, 0}},
      {"Unsigned4", kU, 4, false, {U(0x01000000, 4), U(0xFFFFFFFF, 4), U(2, 4)}, {2, 0, 1}},
      {"Unsigned8", kU, 8, false, {U(1ull << 63, 8), U(1, 8), U(1ull << 32, 8)}, {1, 2, 0}},
      {"Signed1", kS, 1, false, {S(-1, 1), S(5, 1), S(-128, 1), S(127, 1), S(0, 1)}, {2, 0, 4, 1, 3}},
      {"Signed2", kS, 2, false, {S(300, 2), S(-300, 2), S(-1, 2), S(1, 2)}, {1, 2, 3, 0}},
      {"Signed4", kS, 4, false, {S(-70000, 4), S(70000, 4), S(INT32_MIN, 4)}, {2, 0, 1}},
      {"Signed8", kS, 8, false, {S(INT64_MAX, 8), S(INT64_MIN, 8), S(-2, 8)}, {1, 2, 0}},
      {"String", kStr, 4, false, {T("b"), T("ab"), T("B"), T("a"), Text("\xE9", 4)}, {2, 3, 1, 0, 4}},
      {"CaseInsensitive", kCi, 4, false, {T("b"), T("_"), T("A"), T("B"), T("a")}, {2, 4, 0, 3, 1}},
      {"UnsignedDescending", kU, 2, true, {U(10, 2), U(0, 2), U(4, 2), U(256, 2)}, {3, 0, 2, 1}},
      {"SignedDescending", kS, 4, true, {S(-5, 4), S(7, 4), S(0, 4)}, {1, 2, 0}},
      {"StringDescending", kStr, 4, true, {T("a"), T("c"), T("b"), T("B")}, {1, 2, 0, 3}},
      {"CaseInsensitiveDescending", kCi, 4, true, {T("a"), T("C"), T("A"), T("b")}, {1, 3, 0, 2}},
  };
}

class KeyOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(KeyOrderTest, GetFirstAndNextFollowTheKeyOrder) {
  const OrderCase& c = GetParam();
  testsupport::TempDir dir;
  recmgr::FileSpec spec;
  spec.recordLength = kRecordLength;
  spec.keys = {enginetest::Key(3, {enginetest::Segment(kKeyOffset, c.length, c.type, c.descending)},
                               /*duplicates=*/true)};
  std::vector<Bytes> records;
  for (uint32_t i = 0; i < c.values.size(); ++i) {
    Bytes record(kRecordLength, 0xAA);
    enginetest::Put(record, 0, LittleEndian(i, 4));
    enginetest::Put(record, kKeyOffset, c.values[i]);
    records.push_back(record);
  }
  ASSERT_EQ(enginetest::WriteFile(dir / "f.dat", spec, records), 0);

  enginetest::PositionBlock block;
  ASSERT_EQ(enginetest::Open(block, dir / "f.dat"), 0);
  int16_t end = 0;
  std::vector<uint32_t> order;
  for (const Bytes& record : enginetest::WalkKey(block, 3, &end)) {
    ASSERT_EQ(record.size(), kRecordLength);
    order.push_back(record[0]);
  }
  EXPECT_EQ(end, RECMGR_STATUS_END_OF_FILE);
  EXPECT_EQ(order, c.expectOrder);

  // Get Equal finds each value and hands back the record's key value.
  for (uint32_t i = 0; i < c.values.size(); ++i) {
    enginetest::GetResult r = enginetest::Get(block, RECMGR_OP_GET_EQUAL, 3, c.values[i], c.length);
    ASSERT_EQ(r.status, 0) << i;
    EXPECT_EQ(Bytes(r.record.begin() + kKeyOffset, r.record.begin() + kKeyOffset + c.length), r.key);
  }
  EXPECT_EQ(enginetest::Close(block), 0);
}

INSTANTIATE_TEST_SUITE_P(EverySegmentType, KeyOrderTest, testing::ValuesIn(OrderCases()),
                         [](const testing::TestParamInfo<OrderCase>& info) {
                           return std::string(info.param.name);
                         });

class KeyShapeTest : public testing::Test {
 protected:
  testsupport::TempDir dir_;
  enginetest::PositionBlock block_;

  void Build(const std::vector<recmgr::KeySpec>& keys, const std::vector<Bytes>& records) {
    recmgr::FileSpec spec;
    spec.recordLength = static_cast<uint16_t>(records.front().size());
    spec.keys = keys;
    ASSERT_EQ(enginetest::WriteFile(dir_ / "f.dat", spec, records), 0);
    ASSERT_EQ(enginetest::Open(block_, dir_ / "f.dat"), 0);
  }

  std::string Walk(int8_t key, size_t nameOffset) {
    int16_t end = 0;
    std::string names;
    for (const Bytes& r : enginetest::WalkKey(block_, key, &end)) names += char(r[nameOffset]);
    EXPECT_EQ(end, RECMGR_STATUS_END_OF_FILE);
    return names;
  }

  void TearDown() override { enginetest::Close(block_); }
};

// Records: name (1 byte) | group u16 | label (3 bytes).
Bytes Row(char name, uint16_t group, const char* label) {
  return Join(Join(Bytes{static_cast<uint8_t>(name)}, LittleEndian(group, 2)), Text(label, 3));
}

TEST_F(KeyShapeTest, MultiSegmentKeysCompareSegmentBySegment) {
  Build(
      {enginetest::Key(0, {enginetest::Segment(1, 2, SegmentType::kUnsignedInteger),
                           enginetest::Segment(3, 3, SegmentType::kString)}),
       enginetest::Key(1, {enginetest::Segment(1, 2, SegmentType::kUnsignedInteger),
                           enginetest::Segment(3, 3, SegmentType::kString, true)})},
      {Row('a', 2, "bbb"), Row('b', 1, "zzz"), Row('c', 2, "aaa"), Row('d', 256, "aaa"), Row('e', 1, "aaa")});
  EXPECT_EQ(Walk(0, 0), "ebcad");
  EXPECT_EQ(Walk(1, 0), "beacd");

  const Bytes key = Join(LittleEndian(2, 2), Text("aaa", 3));
  enginetest::GetResult r = enginetest::Get(block_, RECMGR_OP_GET_EQUAL, 0, key, 5);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.record[0], 'c');
  EXPECT_EQ(r.key, key);
  // A value between two keys: Get Equal misses, Get Greater or Equal finds the next.
  const Bytes between = Join(LittleEndian(2, 2), Text("abc", 3));
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_EQUAL, 0, between).status, 4);
  r = enginetest::Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 0, between);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.record[0], 'a');
  // On key 1 the label descends: (2, "abc") comes after (2, "bbb"), before (2, "aaa").
  r = enginetest::Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 1, between);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.record[0], 'c');
}

TEST_F(KeyShapeTest, DuplicatesKeepInsertionOrder) {
  std::vector<Bytes> rows;
  const uint16_t groups[] = {5, 3, 5, 9, 3, 5, 3};
  for (size_t i = 0; i < std::size(groups); ++i) rows.push_back(Row(char('a' + i), groups[i], ""));
  Build({enginetest::Key(0, {enginetest::Segment(1, 2, SegmentType::kUnsignedInteger)}, true),
         enginetest::Key(1, {enginetest::Segment(1, 2, SegmentType::kUnsignedInteger, true)}, true)},
        rows);
  EXPECT_EQ(Walk(0, 0), "begacfd");
  EXPECT_EQ(Walk(1, 0), "dacfbeg");

  // Get Equal lands on the first duplicate; Get Next walks the rest in order.
  enginetest::GetResult r = enginetest::Get(block_, RECMGR_OP_GET_EQUAL, 0, LittleEndian(5, 2));
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.record[0], 'a');
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_NEXT, 0).record[0], 'c');
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_NEXT, 0).record[0], 'f');
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_NEXT, 0).record[0], 'd');
}

TEST_F(KeyShapeTest, ManyRecordsOverManyPages) {
  // 20,000 records with two keys: every index entry and record page is visited.
  std::vector<Bytes> rows;
  for (uint32_t i = 0; i < 20000; ++i) {
    rows.push_back(Join(LittleEndian(i, 4), LittleEndian((i * 7919u) % 20000u, 4)));
  }
  Build({enginetest::Key(0, {enginetest::Segment(0, 4, SegmentType::kUnsignedInteger)}),
         enginetest::Key(9, {enginetest::Segment(4, 4, SegmentType::kSignedInteger, true)})},
        rows);
  int16_t end = 0;
  std::vector<Bytes> byKey9 = enginetest::WalkKey(block_, 9, &end);
  ASSERT_EQ(byKey9.size(), 20000u);
  for (uint32_t i = 0; i < byKey9.size(); ++i) {
    ASSERT_EQ(Bytes(byKey9[i].begin() + 4, byKey9[i].end()), LittleEndian(19999 - i, 4));
  }
  for (uint32_t i = 0; i < 20000; i += 37) {
    enginetest::GetResult r = enginetest::Get(block_, RECMGR_OP_GET_EQUAL, 0, LittleEndian(i, 4));
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.record, rows[i]);
  }
}

// Lookups guess their page from the value, so they are checked on keys
// whose values spread evenly, bunch up, repeat in long runs, descend, or
// share long prefixes: Get Greater or Equal of every stored value lands on
// the first record of its run in walk order, and of a value between two
// stored ones on the first record of the next run.
TEST_F(KeyShapeTest, LookupsFindTheFirstOfEveryRunWhateverTheSpread) {
  constexpr uint32_t kRows = 6000;
  std::vector<Bytes> rows;
  for (uint32_t i = 0; i < kRows; ++i) {
    const uint32_t bunched = i < 5000 ? 2 * (i % 40) : 2 * (1000000 + i * i);  // runs, then a long tail
    const auto run = static_cast<int32_t>(2 * (i / 70)) - 80;                  // signed, runs of 70
    const std::string name = "Prefix_Common_" + std::to_string((i * 7919u) % 997u);
    rows.push_back(Join(Join(LittleEndian(i, 4), LittleEndian(bunched, 4)),
                        Join(LittleEndian(static_cast<uint32_t>(run), 4), Text(name, 20))));
  }
  Build({enginetest::Key(0, {enginetest::Segment(4, 4, SegmentType::kUnsignedInteger)}, true),
         enginetest::Key(1, {enginetest::Segment(8, 4, SegmentType::kSignedInteger, true)}, true),
         enginetest::Key(2, {enginetest::Segment(12, 20, SegmentType::kCaseInsensitiveString)}, true),
         enginetest::Key(3,
                         {enginetest::Segment(8, 4, SegmentType::kSignedInteger),
                          enginetest::Segment(12, 20, SegmentType::kString)},
                         true)},
        rows);
  const struct {
    int8_t key;
    size_t offset, length;
    bool evenIntegers;  // every stored value even: value + 1 lies between runs
    int step;           // +1 ascending, -1 descending
  } keys[] = {{0, 4, 4, true, 1}, {1, 8, 4, true, -1}, {2, 12, 20, false, 1}, {3, 8, 24, false, 1}};
  for (const auto& k : keys) {
    int16_t end = 0;
    const std::vector<Bytes> walk = enginetest::WalkKey(block_, k.key, &end);
    ASSERT_EQ(walk.size(), kRows);
    for (size_t p = 0; p < walk.size(); ++p) {
      const Bytes value(walk[p].begin() + static_cast<long>(k.offset),
                        walk[p].begin() + static_cast<long>(k.offset + k.length));
      if (p > 0 && Bytes(walk[p - 1].begin() + static_cast<long>(k.offset),
                         walk[p - 1].begin() + static_cast<long>(k.offset + k.length)) == value)
        continue;  // not the first of its run
      enginetest::GetResult r = enginetest::Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, k.key, value);
      ASSERT_EQ(r.status, 0) << int(k.key) << " at " << p;
      ASSERT_EQ(r.record, walk[p]) << int(k.key) << " at " << p;
      if (!k.evenIntegers || p == 0) continue;
      // The integer just before this run's value, in key order, is absent.
      const int64_t stored =
          k.key == 0 ? int64_t{value[0] | value[1] << 8 | value[2] << 16} + (int64_t{value[3]} << 24)
                     : int32_t(value[0] | value[1] << 8 | value[2] << 16 | uint32_t(value[3]) << 24);
      r = enginetest::Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, k.key,
                          LittleEndian(static_cast<uint64_t>(stored - k.step), 4));
      ASSERT_EQ(r.status, 0) << int(k.key) << " before " << p;
      ASSERT_EQ(r.record, walk[p]) << int(k.key) << " before " << p;
    }
  }
  // The same bytes asked of two keys in turn get each key's own answer.
  const Bytes value = LittleEndian(40, 4);
  enginetest::PositionBlock fresh;
  ASSERT_EQ(enginetest::Open(fresh, dir_ / "f.dat"), 0);
  const enginetest::GetResult byKey1 = enginetest::Get(fresh, RECMGR_OP_GET_GREATER_OR_EQUAL, 1, value);
  EXPECT_EQ(enginetest::Close(fresh), 0);
  ASSERT_EQ(enginetest::Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 0, value).status, 0);
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_GREATER_OR_EQUAL, 1, value).record, byKey1.record);
}

}  // namespace
