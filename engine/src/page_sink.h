// Pages on their way into a file: handed out zeroed, sealed by the caller,
// written in large batches at their own place (page number × page size).
#ifndef RECMGR_SRC_PAGE_SINK_H
#define RECMGR_SRC_PAGE_SINK_H

#include <cstdint>
#include <vector>

#include "recmgr/status.h"

namespace recmgr {

class PageSink {
 public:
  // The first page handed out is page `firstPage`, the next one after it.
  PageSink(int fd, uint32_t pageSize, uint32_t firstPage);

  // A zeroed page, written on the next Flush(). The pointer is valid until
  // the next call to NextPage() or Flush().
  uint8_t* NextPage();

  // Writes the pages handed out so far. Returns the first failure, now or in
  // an earlier automatic flush.
  Status Flush();

 private:
  int fd_;
  uint32_t pageSize_;
  uint64_t nextOffset_;  // of the first page in the buffer
  std::vector<uint8_t> buffer_;
  size_t used_ = 0;
  Status failure_;
};

}  // namespace recmgr

#endif  // RECMGR_SRC_PAGE_SINK_H
