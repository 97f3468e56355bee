// Writer for the engine's immutable files: declare the record length, the
// stored attributes and the keys, add fixed-length records, then finish.
// Nothing appears at the target path until the whole file is written.
#ifndef RECMGR_WRITER_H
#define RECMGR_WRITER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace recmgr {

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
};

class FileWriter {
 public:
  // Starts a file for `path`. Returns RECMGR_STATUS_SUCCESS and sets *out,
  // or a status for a spec the format cannot hold (bad key number, segment
  // outside the record, integer segment of an odd length, ...).
  static int16_t Create(const std::string& path, const FileSpec& spec, std::unique_ptr<FileWriter>* out);

  // Abandons the file unless Commit() succeeded: any temporary is removed.
  ~FileWriter();

  // Adds one record. REQUIRES: Stage() has not been called.
  // Returns RECMGR_STATUS_DATA_BUFFER_TOO_SHORT if the record's size is not
  // the record length. Duplicates of unique keys are found by Stage().
  int16_t Add(std::span<const std::byte> record);

  // Writes the whole file to a temporary beside `path`. Returns
  // RECMGR_STATUS_DUPLICATE_KEY if a key that allows no duplicates holds a
  // value twice, RECMGR_STATUS_IO_ERROR on a failed write; either way
  // nothing is left behind.
  int16_t Stage();

  // Renames the staged temporary onto `path`. REQUIRES: Stage() succeeded.
  int16_t Commit();

  // Hands the staged temporary to the caller, who renames it onto the path
  // or removes it; the writer forgets it. Returns its path, or "" unless
  // Stage() succeeded and neither Commit() nor this was called since.
  std::string ReleaseStaged();

  // Stage() then Commit().
  int16_t Finish();

  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

 private:
  struct State;
  explicit FileWriter(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace recmgr

#endif  // RECMGR_WRITER_H
