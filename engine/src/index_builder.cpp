#include "index_builder.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <queue>
#include <vector>

#include "byte_order.h"
#include "file_io.h"
#include "key_compare.h"
#include "page_sink.h"
#include "record_pages.h"
#include "run_sort.h"

namespace recmgr {
namespace {

constexpr size_t kMinRunEntries = 16;
constexpr size_t kMergeBufferBytes = size_t{64} << 10;

// An entry is the key value then the record number, as on an index page.
struct EntryOrder {
  std::span<const format::SegmentDesc> segments;
  size_t keyLength;

  // Key order, then record number: a strict order, so any sort is stable.
  bool Before(const uint8_t* a, const uint8_t* b) const {
    const int c = format::CompareKeys(a, b, segments);
    if (c != 0) return c < 0;
    return format::Load32(a + keyLength) < format::Load32(b + keyLength);
  }
};

// Lays entries into the key's index pages, counting unique values and
// finding clashes on the way.
class IndexPages {
 public:
  IndexPages(int fd, const format::FileHeader& h, const format::KeyDesc& key, BuiltIndex* out)
      : sink_(fd, h.pageSize, key.firstIndexPage), h_(h), key_(key), out_(out), previous_(key.length) {}

  void Add(const uint8_t* entry, const EntryOrder& order) {
    if (page_ == nullptr || held_ == key_.entriesPerPage) StartPage();
    std::memcpy(page_ + format::kPageHeaderSize + size_t{held_} * key_.entrySize, entry, key_.entrySize);
    ++held_;
    const uint32_t record = format::Load32(entry + key_.length);
    if (written_ == 0 || format::CompareKeys(previous_.data(), entry, order.segments) != 0) {
      ++out_->uniqueValues;
      std::memcpy(previous_.data(), entry, key_.length);
      groupFirst_ = record;
      groupSize_ = 1;
    } else if (++groupSize_ == 2 && !key_.duplicates && (!out_->clash || record < out_->second)) {
      *out_ = {out_->uniqueValues, true, groupFirst_, record};
    }
    ++written_;
  }

  Status Finish() {
    if (page_ != nullptr) Seal();
    return sink_.Flush();
  }

 private:
  void StartPage() {
    if (page_ != nullptr) Seal();
    page_ = sink_.NextPage();
    held_ = 0;
  }
  void Seal() {
    format::SealPage(page_, h_.pageSize, format::kIndexPage, key_.number, key_.firstIndexPage + pageIndex_,
                     held_);
    ++pageIndex_;
  }

  PageSink sink_;
  const format::FileHeader& h_;
  const format::KeyDesc& key_;
  BuiltIndex* out_;
  std::vector<uint8_t> previous_;
  uint8_t* page_ = nullptr;
  uint32_t held_ = 0;
  uint32_t pageIndex_ = 0;
  uint32_t written_ = 0;
  uint32_t groupFirst_ = 0;
  uint32_t groupSize_ = 0;
};

struct Run {
  uint64_t offset = 0;  // in the spill file
  uint32_t count = 0;
};

// One run being merged: a window of its entries.
struct RunCursor {
  Run run;
  uint32_t taken = 0;  // entries of the run already handed out
  std::vector<uint8_t> buffer;
  uint32_t bufferStart = 0;  // entry number of buffer's first entry
  uint32_t bufferCount = 0;

  const uint8_t* Current(size_t entrySize) const {
    return buffer.data() + size_t{taken - bufferStart} * entrySize;
  }
  Status Fill(int fd, size_t entrySize, uint32_t windowEntries) {
    bufferStart = taken;
    bufferCount = std::min(windowEntries, run.count - taken);
    buffer.resize(size_t{bufferCount} * entrySize);
    return ReadAt(fd, run.offset + uint64_t{taken} * entrySize, buffer.data(), buffer.size());
  }
};

class SpillFile {
 public:
  ~SpillFile() {
    if (fd_ >= 0) close(fd_);
  }
  Status Append(const std::string& folder, const uint8_t* data, size_t n, Run* run) {
    if (fd_ < 0) {
      Status status = OpenUnnamedFile(folder, &fd_);
      if (!status.IsOk()) return status;
    }
    run->offset = end_;
    end_ += n;
    return WriteAt(fd_, run->offset, data, n);
  }
  int fd() const { return fd_; }

 private:
  int fd_ = -1;
  uint64_t end_ = 0;
};

// Writes the entries at `base` in `sorted` order to the spill file, a
// window at a time.
Status SpillRun(SpillFile& spill, const std::string& folder, const uint8_t* base,
                const std::vector<uint32_t>& sorted, size_t entrySize, Run* run) {
  std::vector<uint8_t> window(std::max<size_t>(1, kMergeBufferBytes / entrySize) * entrySize);
  size_t used = 0;
  bool first = true;
  for (size_t i = 0; i <= sorted.size(); ++i) {
    if (used == window.size() || (i == sorted.size() && used > 0)) {
      Run part;
      Status status = spill.Append(folder, window.data(), used, &part);
      if (!status.IsOk()) return status;
      if (first) run->offset = part.offset;
      first = false;
      used = 0;
    }
    if (i == sorted.size()) break;
    std::memcpy(window.data() + used, base + size_t{sorted[i]} * entrySize, entrySize);
    used += entrySize;
  }
  return Status::Ok();
}

Status Merge(const SpillFile& spill, const std::vector<Run>& runs, size_t entrySize, size_t sortMemory,
             const EntryOrder& order, IndexPages& pages) {
  const uint32_t window = static_cast<uint32_t>(
      std::max<size_t>(1, std::min(kMergeBufferBytes, sortMemory / runs.size()) / entrySize));
  std::vector<RunCursor> cursors(runs.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    cursors[i].run = runs[i];
    Status status = cursors[i].Fill(spill.fd(), entrySize, window);
    if (!status.IsOk()) return status;
  }
  auto after = [&](size_t a, size_t b) {
    return order.Before(cursors[b].Current(entrySize), cursors[a].Current(entrySize));
  };
  std::priority_queue<size_t, std::vector<size_t>, decltype(after)> heap(after);
  for (size_t i = 0; i < cursors.size(); ++i) heap.push(i);
  while (!heap.empty()) {
    const size_t i = heap.top();
    heap.pop();
    RunCursor& cursor = cursors[i];
    pages.Add(cursor.Current(entrySize), order);
    if (++cursor.taken == cursor.run.count) continue;
    if (cursor.taken == cursor.bufferStart + cursor.bufferCount) {
      Status status = cursor.Fill(spill.fd(), entrySize, window);
      if (!status.IsOk()) return status;
    }
    heap.push(i);
  }
  return Status::Ok();
}

}  // namespace

Status BuildIndex(int fd, const format::FileHeader& h, const format::KeyDesc& key, size_t sortMemory,
                  const std::string& spillFolder, BuiltIndex* out) {
  *out = {};
  const size_t entrySize = key.entrySize;
  const EntryOrder order{h.SegmentsOf(key), key.length};
  const size_t runEntries = std::min<size_t>(
      h.recordCount, std::max(kMinRunEntries, sortMemory / (entrySize + SortBytesPerEntry(key.length))));
  std::vector<uint8_t> entries(runEntries * entrySize);
  std::vector<uint32_t> sorted;
  sorted.reserve(runEntries);
  SpillFile spill;
  std::vector<Run> runs;
  IndexPages pages(fd, h, key, out);

  RecordScan scan(fd, h.pageSize, h.recordLength, h.recordCount);
  Status status;
  uint32_t record = 0;
  while (record < h.recordCount) {
    size_t n = 0;
    for (; n < runEntries && record < h.recordCount; ++n, ++record) {
      const uint8_t* bytes = scan.Next(&status);
      if (bytes == nullptr) return status;
      uint8_t* entry = entries.data() + n * entrySize;
      format::ExtractKey(bytes, order.segments, entry);
      format::Store32(entry + key.length, record);
    }
    const uint8_t* base = entries.data();
    SortRun(base, n, entrySize, order.segments, &sorted);
    if (runs.empty() && record == h.recordCount) {  // one run: straight to the pages
      for (uint32_t i : sorted) pages.Add(base + i * entrySize, order);
      return pages.Finish();
    }
    runs.push_back({0, static_cast<uint32_t>(n)});
    status = SpillRun(spill, spillFolder, base, sorted, entrySize, &runs.back());
    if (!status.IsOk()) return status;
  }
  if (!runs.empty()) {
    std::vector<uint8_t>().swap(entries);  // the merge's windows take this memory
    std::vector<uint32_t>().swap(sorted);
    status = Merge(spill, runs, entrySize, sortMemory, order, pages);
    if (!status.IsOk()) return status;
  }
  return pages.Finish();
}

}  // namespace recmgr
