#include "open_file.h"

#include <cstring>

#include "owner_name.h"
#include "recmgr/recmgr.h"

namespace recmgr {

int16_t OpenFileAt(const char* path, std::string_view ownerName, std::unique_ptr<OpenFile>* out) {
  auto file = std::make_unique<OpenFile>();
  int16_t status = MapFile(path, &file->map);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  status = format::ParseHeaderPage(file->map.data, file->map.size, &file->header);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  if (!format::OwnerNameMatches(file->header, ownerName)) return RECMGR_STATUS_INVALID_OWNER_NAME;

  for (int16_t& index : file->keyIndexByNumber) index = kNoKey;
  for (size_t i = 0; i < file->header.keys.size(); ++i) {
    file->keyIndexByNumber[file->header.keys[i].number] = static_cast<int16_t>(i);
  }
  file->verifiedPages.assign((uint64_t{file->header.pageCount} + 63) / 64, 0);
  file->verifiedPages[0] |= 1;  // ParseHeaderPage checked page 0
  file->residentPages = file->verifiedPages;
  file->residentBytes = file->header.pageSize;
  std::strncpy(file->path, path, kMaxPathBytes);
  *out = std::move(file);
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace recmgr
