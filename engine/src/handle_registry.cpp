#include "handle_registry.h"

#include <cstring>

#include "byte_order.h"
#include "engine_state.h"
#include "recmgr/recmgr.h"

namespace recmgr {

using Place = HandleRegistry::Place;

OpenFile* FindOpenFile(const void* block) { return Engine().handles.Find(block); }

void AttachOpenFile(void* block, std::unique_ptr<OpenFile> file) {
  HandleRegistry& registry = Engine().handles;
  // Room to free every place later without allocating.
  registry.freePlaces.reserve(registry.places.size() + 1);
  uint32_t index;
  if (registry.freePlaces.empty()) {
    index = static_cast<uint32_t>(registry.places.size());
    registry.places.emplace_back();
  } else {
    index = registry.freePlaces.back();
    registry.freePlaces.pop_back();
  }
  Place& place = registry.places[index];
  place.id = registry.nextId++;
  place.file = std::move(file);
  auto* bytes = static_cast<uint8_t*>(block);
  std::memset(bytes, 0, RECMGR_POSITION_BLOCK_SIZE);
  std::memcpy(bytes + kBlockTag, kBlockTagValue, sizeof kBlockTagValue);
  format::Store64(bytes + kBlockHandleId, place.id);
  format::Store32(bytes + kBlockPlace, index);
}

bool ReleaseBlock(void* block) {
  Place* place = Engine().handles.FindPlace(block);
  if (place == nullptr) return false;
  place->id = 0;
  place->file.reset();
  HandleRegistry& registry = Engine().handles;
  registry.freePlaces.push_back(static_cast<uint32_t>(place - registry.places.data()));
  std::memset(block, 0, kBlockPlace + 4);
  return true;
}

}  // namespace recmgr
