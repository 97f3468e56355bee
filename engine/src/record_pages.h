// The record pages of a file being written: records are laid into pages as
// they are added and written to the staged temporary a batch at a time, so
// memory holds one batch at most, and nothing while the writer idles.
#ifndef RECMGR_SRC_RECORD_PAGES_H
#define RECMGR_SRC_RECORD_PAGES_H

#include <cstdint>
#include <string>
#include <vector>

#include "recmgr/status.h"
#include "staged_file.h"

namespace recmgr {

class RecordPages {
 public:
  // Pages of `pageSize` bytes holding records of `recordLength`, written to
  // `file`: created beside `path` at the first write and reopened after a
  // release, or, when `unnamedFolder` is given, an unnamed file in that
  // folder, opened at the first write and kept open until the caller closes
  // it.
  RecordPages(const std::string& path, StagedFile& file, uint32_t pageSize, uint16_t recordLength,
              const std::string& unnamedFolder = "");

  // Appends one record of the record length.
  Status Add(const uint8_t* record);

  // Writes every page, the last even if it is not full, sealed with the
  // records it holds so far. With `release`, also frees the buffer and
  // closes a named file until the next Add().
  Status WriteAll(bool release);

  uint32_t RecordCount() const { return count_; }

 private:
  Status WriteBuffer();
  Status EnsureFile();

  const std::string& path_;
  StagedFile& file_;
  std::string unnamedFolder_;
  uint32_t pageSize_;
  uint16_t recordLength_;
  uint32_t perPage_;
  uint32_t batchPages_;  // pages written at once
  uint32_t count_ = 0;
  std::vector<uint8_t> buffer_;
  uint32_t firstPage_ = 1;  // page number of the buffer's first page
  uint32_t pagesInBuffer_ = 0;
};

// Reads the records of a file's record pages back in order, a batch of
// pages at a time.
class RecordScan {
 public:
  RecordScan(int fd, uint32_t pageSize, uint16_t recordLength, uint32_t recordCount);

  // The next record, or nullptr after the last one or when a read failed
  // (then *status holds the failure).
  const uint8_t* Next(Status* status);

 private:
  int fd_;
  uint32_t pageSize_;
  uint16_t recordLength_;
  uint32_t perPage_;
  uint32_t recordCount_;
  uint32_t next_ = 0;  // record number
  std::vector<uint8_t> buffer_;
  uint32_t bufferFirstRecord_ = 0;
  uint32_t bufferRecords_ = 0;
};

}  // namespace recmgr

#endif  // RECMGR_SRC_RECORD_PAGES_H
