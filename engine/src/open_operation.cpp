#include <cstddef>
#include <string_view>

#include "handle_registry.h"
#include "open_file.h"
#include "operations.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

constexpr size_t kOwnerNameScan = 256;  // bytes searched for the owner name's NUL

// Length of the text at `text`, reading byte by byte and at most `limit`
// bytes; `limit` if none of them is a NUL.
size_t BoundedLength(const char* text, size_t limit) {
  size_t n = 0;
  while (n < limit && text[n] != '\0') ++n;
  return n;
}

}  // namespace

int16_t OpenOperation(void* positionBlock, const void* dataBuffer, const void* keyBuffer, uint8_t keyLength) {
  if (positionBlock == nullptr) return RECMGR_STATUS_FILE_NOT_OPEN;
  ReleaseBlock(positionBlock);  // a live block is closed first

  if (keyBuffer == nullptr) return RECMGR_STATUS_INVALID_FILE_NAME;
  const auto* path = static_cast<const char*>(keyBuffer);
  const size_t pathLength = BoundedLength(path, keyLength);
  if (pathLength == 0 || pathLength == keyLength) return RECMGR_STATUS_INVALID_FILE_NAME;

  std::string_view owner;
  if (dataBuffer != nullptr) {
    const auto* name = static_cast<const char*>(dataBuffer);
    const size_t nameLength = BoundedLength(name, kOwnerNameScan);
    if (nameLength == kOwnerNameScan) return RECMGR_STATUS_INVALID_OWNER_NAME;
    owner = std::string_view(name, nameLength);
  }

  std::unique_ptr<OpenFile> file;
  const int16_t status = OpenFileAt(path, owner, &file);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  AttachOpenFile(positionBlock, std::move(file));
  return RECMGR_STATUS_SUCCESS;
}

int16_t CloseOperation(void* positionBlock) {
  return ReleaseBlock(positionBlock) ? RECMGR_STATUS_SUCCESS : RECMGR_STATUS_FILE_NOT_OPEN;
}

}  // namespace recmgr
