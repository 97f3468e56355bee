#include "page_sink.h"

#include <cstring>

#include "file_io.h"

namespace recmgr {
namespace {

constexpr size_t kBatchBytes = size_t{1} << 20;

}  // namespace

PageSink::PageSink(int fd, uint32_t pageSize, uint32_t firstPage)
    : fd_(fd),
      pageSize_(pageSize),
      nextOffset_(uint64_t{firstPage} * pageSize),
      buffer_(pageSize >= kBatchBytes ? pageSize : kBatchBytes / pageSize * pageSize) {}

uint8_t* PageSink::NextPage() {
  if (used_ + pageSize_ > buffer_.size()) (void)Flush();
  uint8_t* page = buffer_.data() + used_;
  std::memset(page, 0, pageSize_);
  used_ += pageSize_;
  return page;
}

Status PageSink::Flush() {
  if (failure_.IsOk() && used_ > 0) failure_ = WriteAt(fd_, nextOffset_, buffer_.data(), used_);
  nextOffset_ += used_;
  used_ = 0;
  return failure_;
}

}  // namespace recmgr
