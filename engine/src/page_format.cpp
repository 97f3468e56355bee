#include "page_format.h"

#include "byte_order.h"
#include "crc32c.h"

namespace recmgr::format {

uint32_t PageCrc(const uint8_t* page, uint32_t pageSize) {
  return Crc32c(page + kPageCrc + 4, pageSize - (kPageCrc + 4));
}

void SealPage(uint8_t* page, uint32_t pageSize, PageType type, uint8_t keyNumber, uint32_t pageNumber,
              uint32_t entryCount) {
  page[kPageType] = type;
  page[kPageKeyNumber] = keyNumber;
  Store16(page + kPageReserved, 0);
  Store32(page + kPageNumber, pageNumber);
  Store32(page + kPageEntryCount, entryCount);
  Store32(page + kPageCrc, PageCrc(page, pageSize));
}

}  // namespace recmgr::format
