// Open and Close: path and owner-name statuses, missing and foreign files,
// position blocks that hold no file, reopening a live block, many files,
// caches of large files taking and giving back shared memory.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstring>

#include "engine_test_support.h"
#include "temp_dir.h"

namespace {

using enginetest::Bytes;
using enginetest::PositionBlock;
using recmgr::SegmentType;

int16_t OpenRaw(PositionBlock& block, const void* path, uint8_t keyLength, const void* owner) {
  uint32_t length = 0;
  return RecmgrCall(RECMGR_OP_OPEN, block.bytes, const_cast<void*>(owner), &length, const_cast<void*>(path),
                    keyLength, 0);
}

class OpenTest : public testing::Test {
 protected:
  void SetUp() override {
    recmgr::FileSpec spec;
    spec.recordLength = 4;
    spec.keys = {enginetest::Key(0, {enginetest::Segment(0, 4, SegmentType::kUnsignedInteger)})};
    ASSERT_EQ(enginetest::WriteFile(plain_, spec, {enginetest::LittleEndian(7, 4)}), 0);
    spec.ownerName = "Secret Owner";
    ASSERT_EQ(enginetest::WriteFile(owned_, spec, {enginetest::LittleEndian(7, 4)}), 0);
  }

  testsupport::TempDir dir_;
  std::string plain_ = dir_ / "plain.dat";
  std::string owned_ = dir_ / "owned.dat";
  PositionBlock block_;
};

TEST_F(OpenTest, PathStatuses) {
  EXPECT_EQ(OpenRaw(block_, nullptr, 255, ""), RECMGR_STATUS_INVALID_FILE_NAME);
  EXPECT_EQ(OpenRaw(block_, "", 255, ""), RECMGR_STATUS_INVALID_FILE_NAME);
  EXPECT_EQ(OpenRaw(block_, plain_.c_str(), 0, ""), RECMGR_STATUS_INVALID_FILE_NAME);
  // The NUL must lie within keyLength bytes.
  EXPECT_EQ(OpenRaw(block_, plain_.c_str(), static_cast<uint8_t>(plain_.size()), ""),
            RECMGR_STATUS_INVALID_FILE_NAME);
  EXPECT_EQ(OpenRaw(block_, plain_.c_str(), static_cast<uint8_t>(plain_.size() + 1), ""), 0);
  EXPECT_EQ(enginetest::Close(block_), 0);
  char unterminated[255];
  std::memset(unterminated, 'a', sizeof unterminated);
  EXPECT_EQ(OpenRaw(block_, unterminated, 255, ""), RECMGR_STATUS_INVALID_FILE_NAME);

  EXPECT_EQ(enginetest::Open(block_, dir_ / "missing.dat"), RECMGR_STATUS_FILE_NOT_FOUND);
  EXPECT_EQ(enginetest::Open(block_, dir_ / "no/such/folder.dat"), RECMGR_STATUS_FILE_NOT_FOUND);
  EXPECT_EQ(enginetest::Open(block_, plain_ + "/below-a-file"), RECMGR_STATUS_FILE_NOT_FOUND);
  EXPECT_EQ(enginetest::Close(block_), RECMGR_STATUS_FILE_NOT_OPEN);
}

TEST_F(OpenTest, ForeignFilesGiveStatus30) {
  testsupport::WriteFile(dir_ / "empty.txt", "");
  testsupport::WriteFile(dir_ / "text.txt", std::string(10000, 'x'));
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  for (const char* name : {"empty.txt", "text.txt", ".", "fifo"}) {
    EXPECT_EQ(enginetest::Open(block_, dir_ / name), RECMGR_STATUS_NOT_A_RECMGR_FILE) << name;
  }
}

TEST_F(OpenTest, UnreadableFileGivesStatus46) {
  ASSERT_EQ(chmod(plain_.c_str(), 0), 0);
  if (geteuid() != 0) {
    EXPECT_EQ(enginetest::Open(block_, plain_), RECMGR_STATUS_ACCESS_DENIED);
    return;
  }
  // Root reads anything: drop to an unprivileged user in a child process.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(100);
    PositionBlock block;
    _exit(enginetest::Open(block, plain_));
  }
  int wstatus = 0;
  ASSERT_EQ(waitpid(child, &wstatus, 0), child);
  ASSERT_TRUE(WIFEXITED(wstatus));
  EXPECT_EQ(WEXITSTATUS(wstatus), RECMGR_STATUS_ACCESS_DENIED);
}

TEST_F(OpenTest, ReadOnlyFileOpens) {
  ASSERT_EQ(chmod(plain_.c_str(), 0444), 0);
  EXPECT_EQ(enginetest::Open(block_, plain_), 0);
  EXPECT_EQ(enginetest::Close(block_), 0);
}

TEST_F(OpenTest, OwnerNames) {
  const std::string longName(255, 'n');
  recmgr::FileSpec spec;
  spec.recordLength = 4;
  spec.ownerName = longName;
  const std::string longOwned = dir_ / "long.dat";
  ASSERT_EQ(enginetest::WriteFile(longOwned, spec, {}), 0);
  spec.ownerName = "Secret Owner";
  spec.ownerGuards = recmgr::OwnerGuards::kChanges;
  const std::string guardsChanges = dir_ / "changes.dat";
  ASSERT_EQ(enginetest::WriteFile(guardsChanges, spec, {}), 0);
  std::string tooLong(300, 'n');  // no NUL within 256 bytes, though one follows

  struct Case {
    const char* what;
    std::string path;
    const char* owner;  // nullptr: null data buffer
    int16_t status;
  } cases[] = {
      {"no owner, empty name", plain_, "", 0},
      {"no owner, any name", plain_, "whoever", 0},
      {"no owner, null buffer", plain_, nullptr, 0},
      {"no owner, unterminated name", plain_, tooLong.c_str(), 51},
      {"owner, right name", owned_, "Secret Owner", 0},
      {"owner, wrong name", owned_, "Wrong", 51},
      {"owner, other case", owned_, "secret owner", 51},
      {"owner, prefix", owned_, "Secret", 51},
      {"owner, empty name", owned_, "", 51},
      {"owner, null buffer", owned_, nullptr, 51},
      {"255-byte owner, right name", longOwned, longName.c_str(), 0},
      {"255-byte owner, one byte short", longOwned, longName.c_str() + 1, 51},
      {"owner guards changes, right name", guardsChanges, "Secret Owner", 0},
      {"owner guards changes, empty name", guardsChanges, "", 0},
      {"owner guards changes, null buffer", guardsChanges, nullptr, 0},
      {"owner guards changes, wrong name", guardsChanges, "Wrong", 51},
  };
  for (const Case& c : cases) {
    PositionBlock block;
    EXPECT_EQ(enginetest::Open(block, c.path, c.owner), c.status) << c.what;
    EXPECT_EQ(enginetest::Close(block), c.status == 0 ? 0 : 3) << c.what;
  }
}

TEST_F(OpenTest, OwnerNameIsNotStoredInClearText) {
  const std::string bytes = testsupport::ReadFile(owned_);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.find("Secret Owner"), std::string::npos);
  EXPECT_EQ(bytes.find("Secret"), std::string::npos);
}

TEST_F(OpenTest, OpenIgnoresDataLengthAndOpenMode) {
  char path[255] = {};
  std::strcpy(path, owned_.c_str());
  char owner[] = "Secret Owner";
  for (int8_t mode : {0, -1, -2, -4, 1, 100}) {
    uint32_t length = 0;  // shorter than the name: Open does not read it
    EXPECT_EQ(RecmgrCall(RECMGR_OP_OPEN, block_.bytes, owner, &length, path, 255, mode), 0) << int(mode);
    EXPECT_EQ(enginetest::Close(block_), 0);
  }
  EXPECT_EQ(RecmgrCall(RECMGR_OP_OPEN, block_.bytes, owner, nullptr, path, 255, 0), 0);
  EXPECT_EQ(enginetest::Close(block_), 0);
}

TEST_F(OpenTest, BlocksThatHoldNoFileGiveStatus3) {
  uint8_t data[64];
  uint8_t key[255];
  uint32_t length = sizeof data;
  PositionBlock zeroed;
  PositionBlock garbage;
  for (size_t i = 0; i < sizeof garbage.bytes; ++i) garbage.bytes[i] = static_cast<uint8_t>(i * 31);
  ASSERT_EQ(enginetest::Open(block_, plain_), 0);
  PositionBlock stale = block_;  // a copy of the block, kept past the Close
  ASSERT_EQ(enginetest::Close(block_), 0);
  PositionBlock taggedButUnknown = stale;
  taggedButUnknown.bytes[8] ^= 0x5A;
  taggedButUnknown.bytes[15] ^= 0x80;

  for (PositionBlock* b : {&zeroed, &garbage, &stale, &block_, &taggedButUnknown}) {
    for (uint16_t op : {RECMGR_OP_CLOSE, RECMGR_OP_GET_EQUAL, RECMGR_OP_GET_NEXT,
                        RECMGR_OP_GET_GREATER_OR_EQUAL, RECMGR_OP_GET_FIRST, RECMGR_OP_STAT}) {
      EXPECT_EQ(RecmgrCall(op, b->bytes, data, &length, key, 255, 0), 3) << op;
    }
  }
  EXPECT_EQ(RecmgrCall(RECMGR_OP_CLOSE, nullptr, nullptr, nullptr, nullptr, 0, 0), 3);
  EXPECT_EQ(RecmgrCall(RECMGR_OP_OPEN, nullptr, nullptr, nullptr, key, 255, 0), 3);
}

TEST_F(OpenTest, OpenOnALiveBlockClosesTheOldFileFirst) {
  ASSERT_EQ(enginetest::Open(block_, plain_), 0);
  PositionBlock first = block_;
  ASSERT_EQ(enginetest::Get(block_, RECMGR_OP_GET_FIRST, 0).status, 0);
  ASSERT_EQ(enginetest::Open(block_, owned_, "Secret Owner"), 0);
  EXPECT_EQ(enginetest::Close(first), RECMGR_STATUS_FILE_NOT_OPEN);     // the old file is gone
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_NEXT, 0).status, 8);  // fresh position
  EXPECT_EQ(enginetest::Get(block_, RECMGR_OP_GET_FIRST, 0).status, 0);
  // A failed Open on a live block still closes the old file.
  ASSERT_EQ(enginetest::Open(block_, dir_ / "missing.dat"), RECMGR_STATUS_FILE_NOT_FOUND);
  EXPECT_EQ(enginetest::Close(block_), RECMGR_STATUS_FILE_NOT_OPEN);
}

// More open files than the engine keeps descriptors for, and than a
// default limit of 1024 descriptors, also when the process may have only
// 100: files used less lately give their descriptors back and open their
// paths again when read.
TEST_F(OpenTest, ManyFilesOpenAtOnce) {
  constexpr int kFiles = 3000;
  rlimit limits;
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limits), 0);
  for (rlim_t softLimit : {limits.rlim_cur, rlim_t{100}}) {
    SCOPED_TRACE(softLimit);
    rlimit lowered = limits;
    lowered.rlim_cur = std::min(softLimit, limits.rlim_cur);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<PositionBlock> blocks(kFiles);
    for (int i = 0; i < kFiles; ++i) {
      ASSERT_EQ(enginetest::Open(blocks[i], i % 2 ? plain_ : owned_, "Secret Owner"), 0) << i;
    }
    for (int i = 0; i < kFiles; i += 97) {
      EXPECT_EQ(enginetest::Get(blocks[i], RECMGR_OP_GET_FIRST, 0).record, enginetest::LittleEndian(7, 4));
    }
    for (int i = 0; i < kFiles; ++i) ASSERT_EQ(enginetest::Close(blocks[i]), 0) << i;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &limits), 0);
  }
}

TEST_F(OpenTest, RepeatedOpenStatClose) {
  std::vector<uint8_t> stat(33236);
  uint8_t key[256];
  for (int i = 0; i < 5000; ++i) {
    ASSERT_EQ(enginetest::Open(block_, plain_), 0);
    uint32_t length = static_cast<uint32_t>(stat.size());
    ASSERT_EQ(RecmgrCall(RECMGR_OP_STAT, block_.bytes, stat.data(), &length, key, 255, -1), 0);
    ASSERT_EQ(enginetest::Close(block_), 0);
  }
}

// Files that fill a whole cache take its memory from chunks two caches
// share: walks of several at once, interleaved, with files closed and
// opened between, each read back its own records.
TEST_F(OpenTest, LargeFilesReadTheirOwnPagesBesideEachOther) {
  constexpr uint32_t kRecords = 6000;  // 200-byte records: about 300 pages of 4 KiB
  recmgr::FileSpec spec;
  spec.recordLength = 200;
  spec.keys = {enginetest::Key(0, {enginetest::Segment(0, 4, SegmentType::kUnsignedInteger)})};
  std::vector<std::string> paths;
  for (uint32_t file = 0; file < 5; ++file) {
    std::vector<Bytes> records;
    for (uint32_t i = 0; i < kRecords; ++i) {
      Bytes record(200, static_cast<uint8_t>(file));
      enginetest::Put(record, 0, enginetest::LittleEndian(i, 4));
      records.push_back(record);
    }
    paths.push_back(dir_ / ("large" + std::to_string(file) + ".dat"));
    ASSERT_EQ(enginetest::WriteFile(paths.back(), spec, records), 0);
  }
  std::vector<PositionBlock> blocks(5);
  std::vector<uint32_t> fileOf = {0, 1, 2, 3, 4};
  for (size_t b = 0; b < blocks.size(); ++b) ASSERT_EQ(enginetest::Open(blocks[b], paths[fileOf[b]]), 0);
  for (int round = 0; round < 2; ++round) {
    for (uint32_t i = 0; i < kRecords; ++i) {
      for (size_t b = 0; b < blocks.size(); ++b) {
        const auto got = enginetest::Get(blocks[b], i == 0 ? RECMGR_OP_GET_FIRST : RECMGR_OP_GET_NEXT, 0);
        ASSERT_EQ(got.status, 0) << b << " " << i;
        Bytes expected(200, static_cast<uint8_t>(fileOf[b]));
        enginetest::Put(expected, 0, enginetest::LittleEndian(i, 4));
        ASSERT_EQ(got.record, expected) << b << " " << i;
      }
    }
    // Two in the middle closed, their memory given back, and opened on other files.
    fileOf = {0, 4, 2, 0, 4};
    for (size_t b : {size_t{1}, size_t{3}}) {
      ASSERT_EQ(enginetest::Close(blocks[b]), 0);
      ASSERT_EQ(enginetest::Open(blocks[b], paths[fileOf[b]]), 0);
    }
  }
  for (PositionBlock& block : blocks) ASSERT_EQ(enginetest::Close(block), 0);
}

}  // namespace
