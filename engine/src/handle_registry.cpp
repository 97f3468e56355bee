#include "handle_registry.h"

#include <cstring>

#include "byte_order.h"
#include "engine_state.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

using Place = HandleRegistry::Place;

// The place a block names, if the block is ours and its file is still live.
Place* FindPlace(const void* block) {
  if (block == nullptr) return nullptr;
  const auto* bytes = static_cast<const uint8_t*>(block);
  if (std::memcmp(bytes + kBlockTag, kBlockTagValue, sizeof kBlockTagValue) != 0) return nullptr;
  const uint64_t id = format::Load64(bytes + kBlockHandleId);
  const uint32_t index = format::Load32(bytes + kBlockPlace);
  std::vector<Place>& places = Engine().handles.places;
  if (id == 0 || index >= places.size() || places[index].id != id) return nullptr;
  return &places[index];
}

}  // namespace

OpenFile* FindOpenFile(const void* block) {
  Place* place = FindPlace(block);
  return place == nullptr ? nullptr : place->file.get();
}

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
  Place* place = FindPlace(block);
  if (place == nullptr) return false;
  place->id = 0;
  place->file.reset();
  HandleRegistry& registry = Engine().handles;
  registry.freePlaces.push_back(static_cast<uint32_t>(place - registry.places.data()));
  std::memset(block, 0, kBlockPlace + 4);
  return true;
}

}  // namespace recmgr
