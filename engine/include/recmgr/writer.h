// Writer for the engine's immutable files: declare the record length, the
// stored attributes and the keys, add fixed-length records, then finish.
// Nothing appears at the target path until the whole file is written.
// Records go to disk as they are added and keys are sorted in bounded
// memory, so a writer's memory does not grow with its record count. No
// exception leaves these functions: every fault is a Status.
#ifndef RECMGR_WRITER_H
#define RECMGR_WRITER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "recmgr/status.h"

namespace recmgr {

// Longest key value a file may declare: every value must fit a caller's
// 255-byte key buffer.
inline constexpr unsigned kMaxKeyLength = 255;

enum class SegmentType : uint8_t {
  kSignedInteger,    // little-endian, length 1, 2, 4 or 8
  kUnsignedInteger,  // little-endian, length 1, 2, 4 or 8
  kString,           // byte-wise
  kCaseInsensitiveString,
};

struct KeySegment {
  uint16_t offset = 0;  // 0-based byte offset in the record
  uint16_t length = 0;
  SegmentType type = SegmentType::kString;
  bool descending = false;
};

struct KeySpec {
  uint8_t number = 0;       // 0..127; numbers need not be contiguous
  bool duplicates = false;  // duplicates keep the order they were added in
  std::vector<KeySegment> segments;
};

// What a file's owner name guards: every open, or only changes (an open
// without an owner name may then read; a wrong one is still refused).
enum class OwnerGuards : uint8_t { kAll, kChanges };

struct FileSpec {
  uint16_t recordLength = 0;
  uint16_t pageSize = 4096;                     // stored attribute, reported by Stat
  uint8_t fileVersion = 0;                      // stored attribute, reported by Stat
  uint16_t fileFlags = 0;                       // RECMGR_FILE_* bits, reported by Stat
  std::string ownerName;                        // empty: the file opens with any owner name
  OwnerGuards ownerGuards = OwnerGuards::kAll;  // with an owner name
  std::vector<KeySpec> keys;
  // Bytes of key values sorted in memory at once while staging; more are
  // sorted in runs spilled to an unnamed temporary beside the file and
  // merged. 0: the default (8 MiB). Smaller values are for tests.
  size_t sortMemory = 0;
};

// The first pair of records (0-based, in the order added) that hold one
// value of a key that allows no duplicates: the lowest `second` of any
// such pair, and the first record holding that value.
struct KeyClash {
  uint8_t key = 0;
  uint32_t first = 0;
  uint32_t second = 0;
};

class FileWriter {
 public:
  // Starts a file for `path`. Returns success and sets *out, or
  // RECMGR_STATUS_INVALID_FILE_NAME for an empty path, or a status for a
  // spec the format cannot hold (bad key number, segment outside the
  // record, integer segment of an odd length, ...), with the reason.
  static Status Create(const std::string& path, const FileSpec& spec, std::unique_ptr<FileWriter>* out);

  // Abandons the file unless Commit() succeeded: any temporary is removed.
  ~FileWriter();

  // Replaces the keys given to Create(), checked as Create() checks them.
  // REQUIRES: Stage() has not been called.
  Status SetKeys(const std::vector<KeySpec>& keys);

  // Adds one record. REQUIRES: Stage() has not been called.
  // Returns RECMGR_STATUS_DATA_BUFFER_TOO_SHORT if the record's size is not
  // the record length. Full pages of records are written to a temporary
  // beside `path` (created by the first such write). Duplicates of unique
  // keys are found by Stage().
  Status Add(std::span<const std::byte> record);

  // Writes the records added so far and releases the buffer and the file
  // descriptor they held until the next Add(). For a caller that keeps
  // many writers open while it adds to one at a time.
  Status Idle();

  // Completes the file in the temporary. Returns RECMGR_STATUS_DUPLICATE_KEY
  // (see Clash()) if a key that allows no duplicates holds a value twice,
  // another status with the reason on a failed write; either way nothing is
  // left behind.
  Status Stage();

  // After Stage() returned RECMGR_STATUS_DUPLICATE_KEY: the clash found in
  // the lowest-numbered key that has one.
  const KeyClash& Clash() const;

  // Renames the staged temporary onto `path`. REQUIRES: Stage() succeeded.
  Status Commit();

  // Hands the staged temporary to the caller, who renames it onto the path
  // or removes it; the writer forgets it. Returns its path, or "" unless
  // Stage() succeeded and neither Commit() nor this was called since.
  std::string ReleaseStaged();

  // Stage() then Commit().
  Status Finish();

  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

 private:
  struct State;
  explicit FileWriter(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace recmgr

#endif  // RECMGR_WRITER_H
