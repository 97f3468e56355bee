// Pages on their way into a staged file: handed out zeroed, sealed by the
// caller, written in large batches.
#ifndef RECMGR_SRC_PAGE_SINK_H
#define RECMGR_SRC_PAGE_SINK_H

#include <cstdint>
#include <vector>

#include "staged_file.h"

namespace recmgr {

class PageSink {
 public:
  PageSink(StagedFile& file, uint32_t pageSize);

  // A zeroed page, written after it on the next Flush(). The pointer is valid
  // until the next call to NextPage() or Flush().
  uint8_t* NextPage();

  // Writes the pages handed out so far. Returns false if a write failed
  // (now or in an earlier automatic flush).
  bool Flush();

 private:
  StagedFile& file_;
  uint32_t pageSize_;
  std::vector<uint8_t> buffer_;
  size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace recmgr

#endif  // RECMGR_SRC_PAGE_SINK_H
