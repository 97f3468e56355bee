// Which position blocks hold a live open file. A block holds a tag, a
// handle id that is never reused and the registry place of its file; a
// place answers only to the id it was given, so a zeroed, garbage,
// copied-after-close or stale block finds nothing instead of freed memory.
//
// Not thread-safe: every function REQUIRES the caller to hold the engine's
// call lock (see recmgr_call.cpp).
#ifndef RECMGR_SRC_HANDLE_REGISTRY_H
#define RECMGR_SRC_HANDLE_REGISTRY_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "byte_order.h"
#include "open_file.h"

namespace recmgr {

// Position block layout; the remaining bytes are zero while a file is open.
inline constexpr size_t kBlockTag = 0;       // 8 bytes: kBlockTagValue
inline constexpr size_t kBlockHandleId = 8;  // 8 bytes, little-endian
inline constexpr size_t kBlockPlace = 16;    // 4 bytes, little-endian
inline constexpr uint8_t kBlockTagValue[8] = {'R', 'M', 'P', 'O', 'S', 'B', 'L', 'K'};

// Live files sit in numbered places; a block names its place and the id of
// the file it was given, so finding a file is one bounds check and one
// compare, with no hashing on the path of every call. Places are reused,
// ids never are. Part of the engine's state (engine_state.h).
struct HandleRegistry {
  struct Place {
    uint64_t id = 0;  // 0: free
    std::unique_ptr<OpenFile> file;
  };
  std::vector<Place> places;
  std::vector<uint32_t> freePlaces;
  uint64_t nextId = 1;

  // The place `block` names, if the block is ours and its file is still
  // live; `block` may be null. Inline: every Get starts here.
  Place* FindPlace(const void* block) {
    if (block == nullptr) return nullptr;
    const auto* bytes = static_cast<const uint8_t*>(block);
    if (std::memcmp(bytes + kBlockTag, kBlockTagValue, sizeof kBlockTagValue) != 0) return nullptr;
    const uint64_t id = format::Load64(bytes + kBlockHandleId);
    const uint32_t index = format::Load32(bytes + kBlockPlace);
    if (id == 0 || index >= places.size() || places[index].id != id) return nullptr;
    return &places[index];
  }

  OpenFile* Find(const void* block) {
    Place* place = FindPlace(block);
    return place == nullptr ? nullptr : place->file.get();
  }
};

// The open file `block` refers to, or null if it refers to none.
// `block` may be null.
OpenFile* FindOpenFile(const void* block);

// Registers `file` under a fresh id and writes the block.
// REQUIRES: block is non-null and holds no live file (see ReleaseBlock).
void AttachOpenFile(void* block, std::unique_ptr<OpenFile> file);

// Closes the file `block` refers to and clears the block. Returns false if
// it referred to none.
bool ReleaseBlock(void* block);

}  // namespace recmgr

#endif  // RECMGR_SRC_HANDLE_REGISTRY_H
