// The writer: FileSpec checks, record checks, duplicates, call order, and
// that a failed or abandoned file leaves nothing behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine_test_support.h"
#include "temp_dir.h"

namespace {

using enginetest::Bytes;
using enginetest::Join;
using enginetest::Key;
using enginetest::LittleEndian;
using enginetest::Segment;
using recmgr::FileSpec;
using recmgr::FileWriter;
using recmgr::SegmentType;

std::vector<std::string> FolderContents(const testsupport::TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

FileSpec TenByteFileSpec() {
  FileSpec spec;
  spec.recordLength = 10;
  spec.keys = {Key(0, {Segment(0, 4, SegmentType::kUnsignedInteger)})};
  return spec;
}

struct FileSpecCase {
  const char* what;
  void (*change)(FileSpec&);
  int16_t status;
};

const FileSpecCase kFileSpecCases[] = {
    {"record length 0", [](FileSpec& s) { s.recordLength = 0; }, 22},
    {"key number 128", [](FileSpec& s) { s.keys[0].number = 128; }, 6},
    {"key number 255", [](FileSpec& s) { s.keys[0].number = 255; }, 6},
    {"key number twice", [](FileSpec& s) { s.keys.push_back(Key(0, {Segment(4, 2, SegmentType::kString)})); },
     6},
    {"key without segments", [](FileSpec& s) { s.keys[0].segments.clear(); }, 6},
    {"segment past the record end", [](FileSpec& s) { s.keys[0].segments[0].offset = 7; }, 6},
    {"segment longer than the record",
     [](FileSpec& s) { s.keys[0].segments[0] = Segment(0, 11, SegmentType::kString); }, 6},
    {"empty segment", [](FileSpec& s) { s.keys[0].segments[0].length = 0; }, 6},
    {"integer of 3 bytes", [](FileSpec& s) { s.keys[0].segments[0].length = 3; }, 6},
    {"signed integer of 16 bytes",
     [](FileSpec& s) {
       s.recordLength = 20;
       s.keys[0].segments[0] = Segment(0, 16, SegmentType::kSignedInteger);
     },
     6},
    {"unknown segment type", [](FileSpec& s) { s.keys[0].segments[0].type = static_cast<SegmentType>(9); },
     6},
    {"key value over 255 bytes",
     [](FileSpec& s) {
       s.recordLength = 300;
       s.keys[0].segments = {Segment(0, 200, SegmentType::kString), Segment(200, 56, SegmentType::kString)};
     },
     6},
    {"owner name over 255 bytes", [](FileSpec& s) { s.ownerName = std::string(256, 'o'); }, 51},
    {"owner name holding a NUL", [](FileSpec& s) { s.ownerName = std::string("a\0b", 3); }, 51},
};

TEST(FileSpecCheckTest, BadFileSpecsGiveStatuses) {
  testsupport::TempDir dir;
  for (const FileSpecCase& c : kFileSpecCases) {
    FileSpec spec = TenByteFileSpec();
    c.change(spec);
    std::unique_ptr<FileWriter> writer;
    EXPECT_EQ(FileWriter::Create(dir / "f.dat", spec, &writer), c.status) << c.what;
    EXPECT_EQ(writer, nullptr) << c.what;
  }
  std::unique_ptr<FileWriter> writer;
  EXPECT_EQ(FileWriter::Create("", TenByteFileSpec(), &writer), RECMGR_STATUS_INVALID_FILE_NAME);
  EXPECT_TRUE(FolderContents(dir).empty());
}

TEST(FileSpecCheckTest, EdgesThatAreValid) {
  testsupport::TempDir dir;
  FileSpec spec;
  spec.recordLength = 65535;
  spec.ownerName = std::string(255, 'o');
  spec.keys = {Key(127, {Segment(65534, 1, SegmentType::kUnsignedInteger)}, true),
               Key(5, {Segment(0, 255, SegmentType::kString)}, true),
               Key(0,
                   {Segment(0, 8, SegmentType::kSignedInteger), Segment(8, 1, SegmentType::kSignedInteger),
                    Segment(9, 2, SegmentType::kUnsignedInteger)},
                   true)};
  Bytes big(65535, 'b');
  big[65534] = 3;
  ASSERT_EQ(enginetest::WriteFile(dir / "big.dat", spec, {big, big}), 0);
  enginetest::PositionBlock block;
  ASSERT_EQ(enginetest::Open(block, dir / "big.dat", spec.ownerName.c_str()), 0);
  enginetest::GetResult r = enginetest::Get(block, RECMGR_OP_GET_FIRST, 127, {}, 1);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.record, big);
  EXPECT_EQ(r.key, Bytes{3});
  EXPECT_EQ(enginetest::Close(block), 0);
}

TEST(WriterTest, RecordsOfTheWrongSizeAreRefused) {
  testsupport::TempDir dir;
  std::unique_ptr<FileWriter> writer;
  ASSERT_EQ(FileWriter::Create(dir / "f.dat", TenByteFileSpec(), &writer), 0);
  const Bytes shortRecord(9), longRecord(11), record(10);
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(shortRecord))), 22);
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(longRecord))), 22);
  EXPECT_EQ(writer->Add({}), 22);
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(record))), 0);
  EXPECT_EQ(writer->Finish(), 0);
}

TEST(WriterTest, CallOrder) {
  testsupport::TempDir dir;
  std::unique_ptr<FileWriter> writer;
  ASSERT_EQ(FileWriter::Create(dir / "f.dat", TenByteFileSpec(), &writer), 0);
  EXPECT_EQ(writer->Commit(), RECMGR_STATUS_INVALID_OPERATION);  // not staged
  ASSERT_EQ(writer->Stage(), 0);
  const Bytes record(10);
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(record))), RECMGR_STATUS_INVALID_OPERATION);
  EXPECT_EQ(writer->Stage(), RECMGR_STATUS_INVALID_OPERATION);
  EXPECT_FALSE(std::filesystem::exists(dir / "f.dat"));  // staged is not yet visible
  EXPECT_EQ(writer->Commit(), 0);
  EXPECT_EQ(writer->Commit(), RECMGR_STATUS_INVALID_OPERATION);
  EXPECT_EQ(FolderContents(dir), std::vector<std::string>{"f.dat"});
}

TEST(WriterTest, DuplicateInUniqueKeyLeavesNothingBehind) {
  testsupport::TempDir dir;
  FileSpec spec = TenByteFileSpec();
  spec.keys.push_back(Key(1, {Segment(4, 6, SegmentType::kCaseInsensitiveString)}));
  std::vector<Bytes> records;
  for (uint32_t i = 0; i < 1000; ++i) {
    records.push_back(Join(LittleEndian(i, 4), enginetest::Text("n" + std::to_string(i), 6)));
  }
  records.push_back(Join(LittleEndian(5000, 4), enginetest::Text("N17", 6)));  // "n17" folded
  EXPECT_EQ(enginetest::WriteFile(dir / "f.dat", spec, records), RECMGR_STATUS_DUPLICATE_KEY);
  EXPECT_TRUE(FolderContents(dir).empty());

  // An existing file at the path survives a failed rewrite untouched.
  records.pop_back();
  ASSERT_EQ(enginetest::WriteFile(dir / "f.dat", spec, records), 0);
  const std::string before = testsupport::ReadFile(dir / "f.dat");
  records.push_back(records[3]);
  EXPECT_EQ(enginetest::WriteFile(dir / "f.dat", spec, records), RECMGR_STATUS_DUPLICATE_KEY);
  EXPECT_EQ(FolderContents(dir), std::vector<std::string>{"f.dat"});
  EXPECT_EQ(testsupport::ReadFile(dir / "f.dat"), before);
}

TEST(WriterTest, AbandonedWritersLeaveNothingBehind) {
  testsupport::TempDir dir;
  {
    std::unique_ptr<FileWriter> writer;
    ASSERT_EQ(FileWriter::Create(dir / "never.dat", TenByteFileSpec(), &writer), 0);
  }
  {
    std::unique_ptr<FileWriter> writer;
    ASSERT_EQ(FileWriter::Create(dir / "staged.dat", TenByteFileSpec(), &writer), 0);
    ASSERT_EQ(writer->Stage(), 0);
    EXPECT_EQ(FolderContents(dir).size(), 1u);  // the temporary, beside the path
  }
  EXPECT_TRUE(FolderContents(dir).empty());
}

TEST(WriterTest, UnwritableFolders) {
  testsupport::TempDir dir;
  std::unique_ptr<FileWriter> writer;
  ASSERT_EQ(FileWriter::Create(dir / "no/such/f.dat", TenByteFileSpec(), &writer), 0);
  EXPECT_EQ(writer->Finish(), RECMGR_STATUS_FILE_NOT_FOUND);
  EXPECT_TRUE(FolderContents(dir).empty());
}

// The same file bench/run times (bench/record_file_bench.cpp): here only
// what it holds is checked.
TEST(WriterTest, HundredThousandRecords) {
  testsupport::TempDir dir;
  FileSpec spec;
  spec.recordLength = 200;
  spec.keys = {
      Key(0, {Segment(0, 4, SegmentType::kUnsignedInteger)}),
      Key(1, {Segment(4, 128, SegmentType::kCaseInsensitiveString)}, true),
      Key(2, {Segment(132, 4, SegmentType::kSignedInteger), Segment(4, 20, SegmentType::kString)}, true)};
  std::vector<Bytes> records;
  for (uint32_t i = 0; i < 100000; ++i) {
    Bytes r(200, ' ');
    enginetest::Put(r, 0, LittleEndian(i * 2654435761u, 4));
    enginetest::Put(r, 4, enginetest::Text("FIELD_" + std::to_string((i * 7) % 100003), 128));
    enginetest::Put(r, 132, LittleEndian(i % 500, 4));
    records.push_back(r);
  }
  ASSERT_EQ(enginetest::WriteFile(dir / "big.dat", spec, records), 0);

  enginetest::PositionBlock block;
  ASSERT_EQ(enginetest::Open(block, dir / "big.dat"), 0);
  for (uint32_t i = 0; i < 100000; i += 7) {
    enginetest::GetResult r =
        enginetest::Get(block, RECMGR_OP_GET_EQUAL, 0, LittleEndian(i * 2654435761u, 4));
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.record, records[i]);
  }
  int16_t end = 0;
  EXPECT_EQ(enginetest::WalkKey(block, 1, &end).size(), 100000u);
  EXPECT_EQ(end, RECMGR_STATUS_END_OF_FILE);
  EXPECT_EQ(enginetest::Close(block), 0);
}

}  // namespace
