#include "page_memory.h"

#include <sys/mman.h>

#include <new>

#include "engine_state.h"

namespace recmgr {
namespace {

constexpr size_t kChunkBytes = 2 * kPageBlockBytes;  // a huge page on x86-64 and arm64

// A chunk aligned to its size: twice its size mapped, the ends cut off.
uint8_t* MapChunk() {
  void* mapped = mmap(nullptr, 2 * kChunkBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  auto* const start = static_cast<uint8_t*>(mapped);
  const size_t head = (kChunkBytes - reinterpret_cast<uintptr_t>(start) % kChunkBytes) % kChunkBytes;
  uint8_t* const chunk = start + head;
  if (head != 0) munmap(start, head);
  munmap(chunk + kChunkBytes, kChunkBytes - head);  // head < kChunkBytes: never empty
  madvise(chunk, kChunkBytes, MADV_HUGEPAGE);       // a hint: refused, the chunk works as well
  return chunk;
}

}  // namespace

uint8_t* PagePool::Take() {
  for (Chunk& chunk : chunks_)
    for (int half = 0; half < 2; ++half)
      if (!chunk.taken[half]) {
        chunk.taken[half] = true;
        return chunk.base + half * kPageBlockBytes;
      }
  uint8_t* base = MapChunk();
  if (base == nullptr) return nullptr;
  try {
    chunks_.push_back(Chunk{base, {true, false}});
  } catch (const std::bad_alloc&) {
    munmap(base, kChunkBytes);
    return nullptr;
  }
  return base;
}

void PagePool::Give(uint8_t* block) {
  for (size_t i = 0; i < chunks_.size(); ++i) {
    Chunk& chunk = chunks_[i];
    if (block != chunk.base && block != chunk.base + kPageBlockBytes) continue;
    chunk.taken[block == chunk.base ? 0 : 1] = false;
    if (!chunk.taken[0] && !chunk.taken[1]) {
      munmap(chunk.base, kChunkBytes);
      chunks_.erase(chunks_.begin() + static_cast<ptrdiff_t>(i));
    }
    return;
  }
}

PageMemory::PageMemory(size_t bytes) {
  if (bytes == kPageBlockBytes) {
    data_ = Engine().pagePool.Take();
    pooled_ = data_ != nullptr;
  }
  if (data_ == nullptr) data_ = new (std::nothrow) uint8_t[bytes];
}

PageMemory& PageMemory::operator=(PageMemory&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = other.data_;
    pooled_ = other.pooled_;
    other.data_ = nullptr;
  }
  return *this;
}

void PageMemory::Release() {
  if (data_ == nullptr) return;
  if (pooled_)
    Engine().pagePool.Give(data_);
  else
    delete[] data_;
  data_ = nullptr;
}

}  // namespace recmgr
