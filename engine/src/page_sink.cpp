#include "page_sink.h"

#include <cstring>

namespace recmgr {
namespace {

constexpr size_t kBatchBytes = size_t{1} << 20;

}  // namespace

PageSink::PageSink(StagedFile& file, uint32_t pageSize)
    : file_(file),
      pageSize_(pageSize),
      buffer_(pageSize >= kBatchBytes ? pageSize : kBatchBytes / pageSize * pageSize) {}

uint8_t* PageSink::NextPage() {
  if (used_ + pageSize_ > buffer_.size()) Flush();
  uint8_t* page = buffer_.data() + used_;
  std::memset(page, 0, pageSize_);
  used_ += pageSize_;
  return page;
}

bool PageSink::Flush() {
  if (!failed_ && used_ > 0 && !WriteStaged(file_, buffer_.data(), used_)) failed_ = true;
  used_ = 0;
  return !failed_;
}

}  // namespace recmgr
