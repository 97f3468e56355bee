#include "handle_registry.h"

#include <cstring>
#include <unordered_map>

#include "byte_order.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

struct Registry {
  std::unordered_map<uint64_t, std::unique_ptr<OpenFile>> files;
  uint64_t nextId = 1;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // never destroyed: usable during exit
  return *registry;
}

bool ReadId(const void* block, uint64_t* id) {
  if (block == nullptr) return false;
  const auto* bytes = static_cast<const uint8_t*>(block);
  if (std::memcmp(bytes + kBlockTag, kBlockTagValue, sizeof kBlockTagValue) != 0) return false;
  *id = format::Load64(bytes + kBlockHandleId);
  return true;
}

}  // namespace

OpenFile* FindOpenFile(const void* block) {
  uint64_t id;
  if (!ReadId(block, &id)) return nullptr;
  auto& files = TheRegistry().files;
  auto it = files.find(id);
  return it == files.end() ? nullptr : it->second.get();
}

void AttachOpenFile(void* block, std::unique_ptr<OpenFile> file) {
  Registry& registry = TheRegistry();
  const uint64_t id = registry.nextId++;
  registry.files.emplace(id, std::move(file));
  auto* bytes = static_cast<uint8_t*>(block);
  std::memset(bytes, 0, RECMGR_POSITION_BLOCK_SIZE);
  std::memcpy(bytes + kBlockTag, kBlockTagValue, sizeof kBlockTagValue);
  format::Store64(bytes + kBlockHandleId, id);
}

bool ReleaseBlock(void* block) {
  uint64_t id;
  if (!ReadId(block, &id)) return false;
  if (TheRegistry().files.erase(id) == 0) return false;
  std::memset(block, 0, kBlockHandleId + 8);
  return true;
}

}  // namespace recmgr
