#include "recmgr_reader.h"

#include <cstring>

#include "morvel2/engine_access/request_slot.h"
#include "recmgr/recmgr.h"

namespace mkdicttest {
namespace {

struct OpenedFile {
  char position[RECMGR_POSITION_BLOCK_SIZE] = {};
  int16_t status = 0;

  OpenedFile(const std::string& path, const std::string& owner) {
    char key[kKeyBufferSize] = {};
    std::strncpy(key, path.c_str(), kKeyBufferSize - 1);
    std::string ownerBuffer = owner + '\0';
    uint32_t length = static_cast<uint32_t>(ownerBuffer.size());
    status = RecmgrCall(RECMGR_OP_OPEN, position, ownerBuffer.data(), &length, key, kKeyBufferSize - 1, 0);
  }
  ~OpenedFile() {
    if (status != 0) return;
    char scratch[kKeyBufferSize] = {};
    uint32_t length = 0;
    RecmgrCall(RECMGR_OP_CLOSE, position, scratch, &length, scratch, kKeyBufferSize - 1, 0);
  }
};

}  // namespace

int16_t ReadRecords(const std::string& path, const std::string& owner, int keyNumber,
                    std::vector<std::string>* records) {
  OpenedFile file(path, owner);
  if (file.status != 0) return file.status;
  std::string buffer(70000, '\0');
  char key[kKeyBufferSize] = {};
  uint16_t operation = RECMGR_OP_GET_FIRST;
  for (;;) {
    uint32_t length = static_cast<uint32_t>(buffer.size());
    int16_t status = RecmgrCall(operation, file.position, buffer.data(), &length, key, kKeyBufferSize - 1,
                                static_cast<int8_t>(keyNumber));
    if (status == RECMGR_STATUS_END_OF_FILE) return 0;
    if (status != 0) return status;
    records->push_back(buffer.substr(0, length));
    operation = RECMGR_OP_GET_NEXT;
  }
}

int16_t StatFile(const std::string& path, const std::string& owner, std::string* stat) {
  OpenedFile file(path, owner);
  if (file.status != 0) return file.status;
  std::string buffer(RECMGR_STAT_FILE_SPEC_SIZE + RECMGR_STAT_KEY_SPEC_SIZE * 70000, '\0');
  char key[kKeyBufferSize] = {};
  uint32_t length = static_cast<uint32_t>(buffer.size());
  int16_t status =
      RecmgrCall(RECMGR_OP_STAT, file.position, buffer.data(), &length, key, kKeyBufferSize - 1, -1);
  if (status == 0) *stat = buffer.substr(0, length);
  return status;
}

}  // namespace mkdicttest
