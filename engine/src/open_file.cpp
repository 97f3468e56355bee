#include "open_file.h"

#include "owner_name.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

// Bytes read at open: page 0 of a file of the smallest page size, the size
// every dictionary and most data files have.
constexpr size_t kHeadBytes = size_t{1} << format::kMinPageShift;

// The page size `head` names, or 0 if it names none.
size_t NamedPageSize(const uint8_t* head, size_t length) {
  if (length <= format::kHdrPageShift) return 0;
  const unsigned shift = head[format::kHdrPageShift];
  return shift >= format::kMinPageShift && shift <= format::kMaxPageShift ? size_t{1} << shift : 0;
}

}  // namespace

int16_t OpenFileAt(const char* path, std::string_view ownerName, std::unique_ptr<OpenFile>* out) {
  auto file = std::make_unique<OpenFile>();
  uint8_t head[kHeadBytes];
  size_t headLength = 0;
  int16_t status = OpenReadOnlyFile(path, &file->file, head, sizeof head, &headLength);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  // A larger page 0 is read whole; ParseHeaderPage reads at most one page.
  const uint8_t* firstPage = head;
  std::vector<uint8_t> largeFirstPage;
  const size_t pageSize = NamedPageSize(head, headLength);
  if (pageSize > headLength && file->file.size >= pageSize) {
    largeFirstPage.resize(pageSize);
    if (!ReadExactly(file->file, 0, largeFirstPage.data(), pageSize)) return RECMGR_STATUS_IO_ERROR;
    firstPage = largeFirstPage.data();
  }
  status = format::ParseHeaderPage(firstPage, file->file.size, &file->header);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  if (!format::OwnerNameMatches(file->header, ownerName)) return RECMGR_STATUS_INVALID_OWNER_NAME;

  for (int16_t& index : file->keyIndexByNumber) index = kNoKey;
  for (size_t i = 0; i < file->header.keys.size(); ++i) {
    file->keyIndexByNumber[file->header.keys[i].number] = static_cast<int16_t>(i);
  }
  *out = std::move(file);
  return RECMGR_STATUS_SUCCESS;
}

bool StillUnchanged(OpenFile& file) {
  if (!file.changed && !IsUnchanged(file.file)) {
    file.changed = true;
    file.cache = PageCache{};  // no page read before the change is served again
  }
  return !file.changed;
}

}  // namespace recmgr
