#include "record_pages.h"

#include <algorithm>
#include <cstring>

#include "file_io.h"
#include "page_format.h"

namespace recmgr {
namespace {

constexpr size_t kBatchBytes = size_t{1} << 20;

uint32_t PagesPerBatch(uint32_t pageSize) {
  return pageSize >= kBatchBytes ? 1 : static_cast<uint32_t>(kBatchBytes / pageSize);
}

}  // namespace

RecordPages::RecordPages(const std::string& path, StagedFile& file, uint32_t pageSize, uint16_t recordLength,
                         const std::string& unnamedFolder)
    : path_(path),
      file_(file),
      unnamedFolder_(unnamedFolder),
      pageSize_(pageSize),
      recordLength_(recordLength),
      perPage_(static_cast<uint32_t>((pageSize - format::kPageHeaderSize) / recordLength)),
      batchPages_(PagesPerBatch(pageSize)) {}

Status RecordPages::EnsureFile() {
  if (!unnamedFolder_.empty())
    return file_.fd >= 0 ? Status::Ok() : OpenUnnamedFile(unnamedFolder_, &file_.fd);
  if (file_.tempPath.empty()) return CreateStagedFile(path_, &file_);
  return ReopenStaged(file_);
}

Status RecordPages::Add(const uint8_t* record) {
  const uint32_t slot = count_ % perPage_;
  const uint32_t page = 1 + count_ / perPage_;
  if (slot == 0) {
    if (pagesInBuffer_ == batchPages_) {
      Status status = WriteBuffer();
      if (!status.IsOk()) return status;
      pagesInBuffer_ = 0;
    }
    if (pagesInBuffer_ == 0) firstPage_ = page;
    const size_t end = size_t{pagesInBuffer_ + 1} * pageSize_;
    if (buffer_.size() < end) buffer_.resize(std::min(size_t{batchPages_} * pageSize_, 2 * end));
    std::memset(buffer_.data() + end - pageSize_, 0, pageSize_);
    ++pagesInBuffer_;
  } else if (pagesInBuffer_ == 0) {  // the page was written by WriteAll(release)
    Status status = EnsureFile();
    if (!status.IsOk()) return status;
    buffer_.resize(pageSize_);
    status = ReadAt(file_.fd, uint64_t{page} * pageSize_, buffer_.data(), pageSize_);
    if (!status.IsOk()) return status;
    firstPage_ = page;
    pagesInBuffer_ = 1;
  }
  uint8_t* at = buffer_.data() + size_t{page - firstPage_} * pageSize_ + format::kPageHeaderSize +
                size_t{slot} * recordLength_;
  std::memcpy(at, record, recordLength_);
  ++count_;
  return Status::Ok();
}

Status RecordPages::WriteBuffer() {
  Status status = EnsureFile();
  if (!status.IsOk()) return status;
  for (uint32_t i = 0; i < pagesInBuffer_; ++i) {
    const uint32_t page = firstPage_ + i;
    const uint32_t held = std::min(perPage_, count_ - (page - 1) * perPage_);
    format::SealPage(buffer_.data() + size_t{i} * pageSize_, pageSize_, format::kRecordPage, 0, page, held);
  }
  return WriteAt(file_.fd, uint64_t{firstPage_} * pageSize_, buffer_.data(),
                 size_t{pagesInBuffer_} * pageSize_);
}

Status RecordPages::WriteAll(bool release) {
  Status status;
  if (pagesInBuffer_ > 0) {
    status = WriteBuffer();
  } else if (!release) {
    status = EnsureFile();  // the caller reads or writes the file next
  }
  if (!status.IsOk()) return status;
  if (count_ % perPage_ == 0) pagesInBuffer_ = 0;  // all full: the next Add starts a page
  if (release) {
    pagesInBuffer_ = 0;
    std::vector<uint8_t>().swap(buffer_);
    if (unnamedFolder_.empty()) CloseStaged(file_);
  }
  return Status::Ok();
}

RecordScan::RecordScan(int fd, uint32_t pageSize, uint16_t recordLength, uint32_t recordCount)
    : fd_(fd),
      pageSize_(pageSize),
      recordLength_(recordLength),
      perPage_(static_cast<uint32_t>((pageSize - format::kPageHeaderSize) / recordLength)),
      recordCount_(recordCount) {}

const uint8_t* RecordScan::Next(Status* status) {
  if (next_ >= recordCount_) return nullptr;
  if (next_ - bufferFirstRecord_ >= bufferRecords_ || bufferRecords_ == 0) {
    const uint32_t firstPage = 1 + next_ / perPage_;
    const uint32_t lastPage = 1 + (recordCount_ - 1) / perPage_;
    const uint32_t pages = std::min(lastPage - firstPage + 1, PagesPerBatch(pageSize_));
    buffer_.resize(size_t{pages} * pageSize_);
    *status = ReadAt(fd_, uint64_t{firstPage} * pageSize_, buffer_.data(), buffer_.size());
    if (!status->IsOk()) return nullptr;
    bufferFirstRecord_ = next_;
    bufferRecords_ = std::min(pages * perPage_, recordCount_ - next_);
  }
  const uint32_t offset = next_ - bufferFirstRecord_;
  ++next_;
  return buffer_.data() + size_t{offset / perPage_} * pageSize_ + format::kPageHeaderSize +
         size_t{offset % perPage_} * recordLength_;
}

}  // namespace recmgr
