#include "open_file.h"

#include <cstring>

#include "owner_name.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

// Bytes read at open beside the mapping: page 0 of a file of the smallest
// page size, the size every dictionary and most data files have.
constexpr size_t kHeadBytes = size_t{1} << format::kMinPageShift;

// True if `head` holds the whole of page 0, by the page size it names.
bool HoldsHeaderPage(const uint8_t* head, size_t length) {
  if (length <= format::kHdrPageShift) return false;
  const unsigned shift = head[format::kHdrPageShift];
  return shift >= format::kMinPageShift && shift <= format::kMaxPageShift && (size_t{1} << shift) <= length;
}

}  // namespace

int16_t OpenFileAt(const char* path, std::string_view ownerName, std::unique_ptr<OpenFile>* out) {
  auto file = std::make_unique<OpenFile>();
  uint8_t head[kHeadBytes];
  size_t headLength = 0;
  int16_t status = MapFile(path, &file->map, head, sizeof head, &headLength);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  // The mapping is the file; the copy only spares it a page fault.
  const uint8_t* firstPage = HoldsHeaderPage(head, headLength) ? head : file->map.data;
  status = format::ParseHeaderPage(firstPage, file->map.size, &file->header);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  if (!format::OwnerNameMatches(file->header, ownerName)) return RECMGR_STATUS_INVALID_OWNER_NAME;

  for (int16_t& index : file->keyIndexByNumber) index = kNoKey;
  for (size_t i = 0; i < file->header.keys.size(); ++i) {
    file->keyIndexByNumber[file->header.keys[i].number] = static_cast<int16_t>(i);
  }
  file->verifiedPages.assign((uint64_t{file->header.pageCount} + 63) / 64, 0);
  file->verifiedPages[0] |= 1;  // ParseHeaderPage checked page 0
  file->residentPages.assign(file->verifiedPages.size(), 0);
  std::strncpy(file->path, path, kMaxPathBytes);
  *out = std::move(file);
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace recmgr
