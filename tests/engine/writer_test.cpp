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
  void (*change)(FileSpec&);
  int16_t status;
  const char* message;
};

const FileSpecCase kFileSpecCases[] = {
    {[](FileSpec& s) { s.recordLength = 0; }, 22, "record length 0"},
    {[](FileSpec& s) { s.keys[0].number = 128; }, 6, "key 128 is above 127"},
    {[](FileSpec& s) { s.keys[0].number = 255; }, 6, "key 255 is above 127"},
    {[](FileSpec& s) { s.keys.push_back(Key(0, {Segment(4, 2, SegmentType::kString)})); }, 6,
     "key 0 declared twice"},
    {[](FileSpec& s) { s.keys[0].segments.clear(); }, 6, "key 0 has no segments"},
    {[](FileSpec& s) { s.keys[0].segments[0].offset = 7; }, 6,
     "segment 1 of key 0 ends past the 10-byte record"},
    {[](FileSpec& s) { s.keys[0].segments[0] = Segment(0, 11, SegmentType::kString); }, 6,
     "segment 1 of key 0 ends past the 10-byte record"},
    {[](FileSpec& s) { s.keys[0].segments[0].length = 0; }, 6, "segment 1 of key 0 is empty"},
    {[](FileSpec& s) { s.keys[0].segments[0].length = 3; }, 6,
     "segment 1 of key 0 is an integer of 3 bytes, not 1, 2, 4 or 8"},
    {[](FileSpec& s) {
       s.recordLength = 20;
       s.keys[0].segments[0] = Segment(0, 16, SegmentType::kSignedInteger);
     },
     6, "segment 1 of key 0 is an integer of 16 bytes, not 1, 2, 4 or 8"},
    {[](FileSpec& s) { s.keys[0].segments[0].type = static_cast<SegmentType>(9); }, 6,
     "segment 1 of key 0 has an unknown type"},
    {[](FileSpec& s) {
       s.recordLength = 300;
       s.keys[0].segments = {Segment(0, 200, SegmentType::kString), Segment(200, 56, SegmentType::kString)};
     },
     6, "key 0 is 256 bytes long, over 255"},
    {[](FileSpec& s) { s.ownerName = std::string(256, 'o'); }, 51, "owner name longer than 255 bytes"},
    {[](FileSpec& s) { s.ownerName = std::string("a\0b", 3); }, 51, "owner name holding a NUL byte"},
};

TEST(FileSpecCheckTest, BadFileSpecsGiveStatuses) {
  testsupport::TempDir dir;
  for (const FileSpecCase& c : kFileSpecCases) {
    FileSpec spec = TenByteFileSpec();
    c.change(spec);
    std::unique_ptr<FileWriter> writer;
    const recmgr::Status status = FileWriter::Create(dir / "f.dat", spec, &writer);
    EXPECT_EQ(status.Code(), c.status) << c.message;
    EXPECT_EQ(status.Message(), c.message);
    EXPECT_EQ(writer, nullptr) << c.message;
  }
  std::unique_ptr<FileWriter> writer;
  EXPECT_EQ(FileWriter::Create("", TenByteFileSpec(), &writer).Code(), RECMGR_STATUS_INVALID_FILE_NAME);
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
  ASSERT_TRUE(FileWriter::Create(dir / "f.dat", TenByteFileSpec(), &writer).IsOk());
  const Bytes shortRecord(9), longRecord(11), record(10);
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(shortRecord))).Message(),
            "a record of 9 bytes, not the record length 10");
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(longRecord))).Code(), 22);
  EXPECT_EQ(writer->Add({}).Code(), 22);
  EXPECT_TRUE(writer->Add(std::as_bytes(std::span(record))).IsOk());
  EXPECT_TRUE(writer->Finish().IsOk());
}

TEST(WriterTest, CallOrder) {
  testsupport::TempDir dir;
  std::unique_ptr<FileWriter> writer;
  ASSERT_TRUE(FileWriter::Create(dir / "f.dat", TenByteFileSpec(), &writer).IsOk());
  EXPECT_EQ(writer->Commit().Code(), RECMGR_STATUS_INVALID_OPERATION);  // not staged
  ASSERT_TRUE(writer->Stage().IsOk());
  const Bytes record(10);
  EXPECT_EQ(writer->Add(std::as_bytes(std::span(record))).Code(), RECMGR_STATUS_INVALID_OPERATION);
  EXPECT_EQ(writer->SetKeys({}).Code(), RECMGR_STATUS_INVALID_OPERATION);
  EXPECT_EQ(writer->Stage().Code(), RECMGR_STATUS_INVALID_OPERATION);
  EXPECT_FALSE(std::filesystem::exists(dir / "f.dat"));  // staged is not yet visible
  EXPECT_TRUE(writer->Commit().IsOk());
  EXPECT_EQ(writer->Commit().Message(), "called out of order");
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
    ASSERT_TRUE(FileWriter::Create(dir / "never.dat", TenByteFileSpec(), &writer).IsOk());
  }
  {
    std::unique_ptr<FileWriter> writer;
    ASSERT_TRUE(FileWriter::Create(dir / "staged.dat", TenByteFileSpec(), &writer).IsOk());
    ASSERT_TRUE(writer->Stage().IsOk());
    EXPECT_EQ(FolderContents(dir).size(), 1u);  // the temporary, beside the path
  }
  EXPECT_TRUE(FolderContents(dir).empty());
}

TEST(WriterTest, UnwritableFolders) {
  testsupport::TempDir dir;
  std::unique_ptr<FileWriter> writer;
  ASSERT_TRUE(FileWriter::Create(dir / "no/such/f.dat", TenByteFileSpec(), &writer).IsOk());
  const recmgr::Status status = writer->Finish();
  EXPECT_EQ(status.Code(), RECMGR_STATUS_FILE_NOT_FOUND);
  EXPECT_EQ(status.Message(), "no such file or directory");
  EXPECT_TRUE(FolderContents(dir).empty());
}

// 3,000 records of 256 bytes: key 0 unique, key 1 a case-insensitive name
// that repeats with a descending number, key 2 (with `bigHeader`) two keys of
// 255 one-byte segments, whose descriptions need a page of 8 KiB.
std::vector<Bytes> StreamRecords() {
  std::vector<Bytes> records;
  for (uint32_t i = 0; i < 3000; ++i) {
    Bytes r(256, ' ');
    enginetest::Put(r, 0, LittleEndian((i * 7919) % 3001, 4));
    enginetest::Put(r, 4, enginetest::Text((i % 3 ? "n" : "N") + std::to_string(i % 37), 6));
    enginetest::Put(r, 10, LittleEndian(i % 5, 2));
    records.push_back(r);
  }
  return records;
}

std::vector<recmgr::KeySpec> StreamKeys(bool bigHeader) {
  std::vector<recmgr::KeySpec> keys = {Key(0, {Segment(0, 4, SegmentType::kUnsignedInteger)}),
                                       Key(1,
                                           {Segment(4, 6, SegmentType::kCaseInsensitiveString),
                                            Segment(10, 2, SegmentType::kSignedInteger, true)},
                                           true)};
  for (uint8_t k = 2; bigHeader && k < 4; ++k) {
    keys.push_back(Key(k, {}, true));
    for (uint16_t b = 0; b < 255; ++b) keys.back().segments.push_back(Segment(b, 1, SegmentType::kString));
  }
  return keys;
}

struct WritePath {
  const char* what;
  size_t sortMemory;  // 0: the default, where 3,000 entries sort at once
  bool keysLater;     // SetKeys() after the last Add()
  int idleEvery;      // Idle() after every this many records; 0: never
};

// Written in one go, the file is the reference every other path must match
// byte for byte: sorted in runs, keys known late, idling in between.
TEST(WriterTest, StreamingPathsGiveTheSameBytes) {
  const WritePath paths[] = {
      {"sort runs", 1000, false, 0},
      {"keys set after the records", 0, true, 0},
      {"idle every 7 records", 0, false, 7},
      {"all of these", 700, true, 11},
  };
  testsupport::TempDir dir;
  const std::vector<Bytes> records = StreamRecords();
  for (bool bigHeader : {false, true}) {
    FileSpec spec;
    spec.recordLength = 256;
    spec.keys = StreamKeys(bigHeader);
    ASSERT_EQ(enginetest::WriteFile(dir / "reference.dat", spec, records), 0);
    const std::string reference = testsupport::ReadFile(dir / "reference.dat");
    EXPECT_EQ(reference.size(), bigHeader ? 8192u * 300 : 4096u * 216);  // pages of 8 KiB for the big header
    for (const WritePath& path : paths) {
      FileSpec pathSpec = spec;
      pathSpec.sortMemory = path.sortMemory;
      if (path.keysLater) pathSpec.keys.clear();
      std::unique_ptr<FileWriter> writer;
      ASSERT_TRUE(FileWriter::Create(dir / "f.dat", pathSpec, &writer).IsOk());
      for (size_t i = 0; i < records.size(); ++i) {
        ASSERT_TRUE(writer->Add(std::as_bytes(std::span(records[i]))).IsOk());
        if (path.idleEvery > 0 && i % path.idleEvery == 0) {
          ASSERT_TRUE(writer->Idle().IsOk());
        }
      }
      if (path.keysLater) {
        ASSERT_TRUE(writer->SetKeys(spec.keys).IsOk());
      }
      ASSERT_TRUE(writer->Finish().IsOk()) << path.what;
      EXPECT_EQ(testsupport::ReadFile(dir / "f.dat"), reference) << path.what << ", big header " << bigHeader;
    }
  }
  EXPECT_EQ(FolderContents(dir), (std::vector<std::string>{"f.dat", "reference.dat"}));  // no sort runs left
}

TEST(WriterTest, ClashFoundAcrossSortRuns) {
  testsupport::TempDir dir;
  std::vector<Bytes> records = StreamRecords();
  records.push_back(records[2500]);
  records.push_back(records[1]);
  records[1000] = records[1999];  // the clash with the lowest second record
  FileSpec spec;
  spec.recordLength = 256;
  spec.keys = StreamKeys(false);
  spec.sortMemory = 1000;
  std::unique_ptr<FileWriter> writer;
  ASSERT_TRUE(FileWriter::Create(dir / "f.dat", spec, &writer).IsOk());
  for (const Bytes& record : records) ASSERT_TRUE(writer->Add(std::as_bytes(std::span(record))).IsOk());
  const recmgr::Status status = writer->Stage();
  EXPECT_EQ(status.Code(), RECMGR_STATUS_DUPLICATE_KEY);
  EXPECT_EQ(status.Message(), "key 0 allows no duplicates, and records 1000 and 1999 hold one value");
  EXPECT_EQ(writer->Clash().key, 0);
  EXPECT_EQ(writer->Clash().first, 1000u);
  EXPECT_EQ(writer->Clash().second, 1999u);
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
