// Verify: reads every page of an open file from the file itself, the parts
// no Get reaches included (unused bytes at the end of each page), and checks
// each page's checksum and header, that its unused bytes are zero, and that
// every key's index entries are sorted, name each record exactly once, hold
// the key value taken from that record, repeat values only in a key that
// allows duplicates, and count the unique values the header gives. Stops at
// the first problem and describes it in the data buffer.
//
// The position and the page cache are left as they were, apart from record
// pages the cache takes in while the entries are compared with their records.
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "byte_order.h"
#include "handle_registry.h"
#include "key_compare.h"
#include "operations.h"
#include "page_access.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

using format::Load16;
using format::Load32;

// The first problem found, as text for the caller.
struct Finding {
  char text[160] = {};

  // Returns false, for the checks' `return finding_->Set(...)`.
  __attribute__((format(printf, 2, 3))) bool Set(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return false;
  }
};

bool AllZero(const uint8_t* bytes, size_t length) {
  return std::all_of(bytes, bytes + length, [](uint8_t b) { return b == 0; });
}

class Verifier {
 public:
  explicit Verifier(OpenFile& file) : file_(file), h_(file.header) {}

  // False with the finding filled on the first problem; true if the whole
  // file is sound. *noMemory is set when the page buffer can't be had.
  bool Run(Finding* finding, bool* noMemory) {
    finding_ = finding;
    page_.reset(new (std::nothrow) uint8_t[h_.pageSize]);
    previous_.reset(new (std::nothrow) uint8_t[format::kMaxKeyLength]);
    fromRecord_.reset(new (std::nothrow) uint8_t[format::kMaxKeyLength]);
    if (page_ == nullptr || previous_ == nullptr || fromRecord_ == nullptr) {
      *noMemory = true;
      return false;
    }
    return HeaderPage() && RecordPages() &&
           std::all_of(h_.keys.begin(), h_.keys.end(), [&](const format::KeyDesc& key) { return Key(key); });
  }

 private:
  // Reads page `number` and checks its checksum, header and entry count.
  bool ReadChecked(uint32_t number, format::PageType type, uint8_t keyNumber, uint32_t entries) {
    const bool read = ReadExactly(file_.file, uint64_t{number} << h_.pageShift, page_.get(), h_.pageSize);
    if (!StillUnchanged(file_)) return finding_->Set("file changed while it was verified");
    if (!read) return finding_->Set("page %u: can't be read", number);
    if (Load32(page_.get() + format::kPageCrc) != format::PageCrc(page_.get(), h_.pageSize))
      return finding_->Set("page %u: checksum wrong", number);
    const uint8_t* p = page_.get();
    if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
        Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != number ||
        Load32(p + format::kPageEntryCount) != entries)
      return finding_->Set("page %u: page header wrong", number);
    return true;
  }

  bool TailIsZero(uint32_t number, size_t used) {
    if (AllZero(page_.get() + used, h_.pageSize - used)) return true;
    return finding_->Set("page %u: unused bytes not zero", number);
  }

  static uint32_t EntriesOnPage(uint32_t total, uint32_t perPage, uint32_t pageInRun) {
    const uint64_t left = total - uint64_t{pageInRun} * perPage;
    return static_cast<uint32_t>(std::min<uint64_t>(left, perPage));
  }

  bool HeaderPage() {
    if (!ReadChecked(0, format::kHeaderPage, 0, 0)) return false;
    return TailIsZero(0, format::HeaderBytes(h_.keys.size(), h_.segments.size()));
  }

  bool RecordPages() {
    for (uint32_t i = 0; i < h_.recordPageCount; ++i) {
      const uint32_t count = EntriesOnPage(h_.recordCount, h_.recordsPerPage, i);
      if (!ReadChecked(1 + i, format::kRecordPage, 0, count) ||
          !TailIsZero(1 + i, format::kPageHeaderSize + size_t{count} * h_.recordLength))
        return false;
    }
    return true;
  }

  bool Key(const format::KeyDesc& key) {
    const auto segments = h_.SegmentsOf(key);
    std::vector<bool> seen(h_.recordCount, false);
    uint32_t index = 0, uniqueValues = 0, previousRecord = 0;
    for (uint32_t i = 0; i < key.indexPageCount; ++i) {
      const uint32_t number = key.firstIndexPage + i;
      const uint32_t count = EntriesOnPage(h_.recordCount, key.entriesPerPage, i);
      if (!ReadChecked(number, format::kIndexPage, key.number, count) ||
          !TailIsZero(number, format::kPageHeaderSize + size_t{count} * key.entrySize))
        return false;
      for (uint32_t e = 0; e < count; ++e, ++index) {
        const uint8_t* entry = page_.get() + format::kPageHeaderSize + size_t{e} * key.entrySize;
        const uint32_t record = Load32(entry + key.length);
        if (record >= h_.recordCount)
          return finding_->Set("key %u entry %u: record %u past the last record", key.number, index, record);
        if (seen[record]) return finding_->Set("key %u: record %u listed twice", key.number, record);
        seen[record] = true;
        const int order = index == 0 ? 1 : format::CompareKeys(entry, previous_.get(), segments);
        if (order < 0) return finding_->Set("key %u entry %u: out of key order", key.number, index);
        if (order == 0 && !key.duplicates)
          return finding_->Set("key %u entry %u: duplicate value in a unique key", key.number, index);
        if (order == 0 && record < previousRecord)
          return finding_->Set("key %u entry %u: equal values out of record order", key.number, index);
        uniqueValues += order != 0;
        previousRecord = record;
        std::memcpy(previous_.get(), entry, key.length);
        // The record is read through the page cache: its page was checked above.
        const uint8_t* bytes = RecordAt(file_, record);
        if (bytes == nullptr) return finding_->Set("key %u: record %u can't be read", key.number, record);
        format::ExtractKey(bytes, segments, fromRecord_.get());
        if (std::memcmp(fromRecord_.get(), entry, key.length) != 0)
          return finding_->Set("key %u entry %u: key value differs from record %u's", key.number, index,
                               record);
      }
    }
    if (uniqueValues != key.uniqueValues)
      return finding_->Set("key %u: %u unique values stored, %u counted", key.number, key.uniqueValues,
                           uniqueValues);
    return true;
  }

  OpenFile& file_;
  const format::FileHeader& h_;
  Finding* finding_ = nullptr;
  std::unique_ptr<uint8_t[]> page_;
  std::unique_ptr<uint8_t[]> previous_;  // the key value of the entry before
  std::unique_ptr<uint8_t[]> fromRecord_;
};

}  // namespace

int16_t VerifyOperation(void* positionBlock, void* dataBuffer, uint32_t* dataLength) {
  OpenFile* file = FindOpenFile(positionBlock);
  if (file == nullptr) return RECMGR_STATUS_FILE_NOT_OPEN;
  Finding finding;
  bool noMemory = false;
  if (Verifier(*file).Run(&finding, &noMemory)) {
    if (dataLength != nullptr) *dataLength = 0;
    return RECMGR_STATUS_SUCCESS;
  }
  if (noMemory) finding.Set("no memory to verify the file");
  if (dataBuffer != nullptr && dataLength != nullptr && *dataLength > 0) {
    const size_t bytes = std::min<size_t>(std::strlen(finding.text) + 1, *dataLength);
    std::memcpy(dataBuffer, finding.text, bytes);
    static_cast<char*>(dataBuffer)[bytes - 1] = '\0';
    *dataLength = static_cast<uint32_t>(bytes);
  }
  return RECMGR_STATUS_IO_ERROR;
}

}  // namespace recmgr
