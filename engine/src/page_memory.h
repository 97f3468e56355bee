// Memory for the page caches. First touches of memory are much of what a
// report over thousands of tables pays the kernel: a fault for every 4 KiB
// page of a cache. So the cache of a file that fills one (kPageBlockBytes)
// takes a block of a 2 MiB-aligned chunk that the kernel is asked to back
// with one huge page, one fault for two caches. Without huge pages the
// chunk is ordinary memory. Blocks given back are used again, and a chunk
// whose blocks are all back is unmapped. A cache of a smaller file comes
// from the heap, so a program that reads many small files keeps only what
// they fill.
//
// Not thread-safe: every function REQUIRES the caller to hold the engine's
// call lock (see recmgr_call.cpp).
#ifndef RECMGR_SRC_PAGE_MEMORY_H
#define RECMGR_SRC_PAGE_MEMORY_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace recmgr {

inline constexpr size_t kPageBlockBytes = size_t{1} << 20;

// The chunks blocks are cut from. Part of the engine's state
// (engine_state.h).
class PagePool {
 public:
  // A block of kPageBlockBytes, or null when no chunk can be mapped.
  uint8_t* Take();
  // Gives back a block Take() returned.
  void Give(uint8_t* block);

 private:
  struct Chunk {
    uint8_t* base;
    bool taken[2];  // its two blocks
  };
  std::vector<Chunk> chunks_;
};

// The bytes of one cache: a pool block or heap memory, given back when
// destroyed.
class PageMemory {
 public:
  PageMemory() = default;
  // `bytes` zeroed or not; empty (get() null) when there is no memory.
  explicit PageMemory(size_t bytes);
  ~PageMemory() { Release(); }
  PageMemory(PageMemory&& other) noexcept : data_(other.data_), pooled_(other.pooled_) {
    other.data_ = nullptr;
  }
  PageMemory& operator=(PageMemory&& other) noexcept;
  PageMemory(const PageMemory&) = delete;
  PageMemory& operator=(const PageMemory&) = delete;

  uint8_t* get() const { return data_; }

 private:
  void Release();

  uint8_t* data_ = nullptr;
  bool pooled_ = false;
};

}  // namespace recmgr

#endif  // RECMGR_SRC_PAGE_MEMORY_H
