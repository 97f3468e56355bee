// Verify: reads every page of an open file from the file itself, the parts
// no Get reaches included (unused bytes at the end of each page), and checks
// each page's checksum and header, that its unused bytes are zero, and that
// every key's index entries are sorted, name each record exactly once, hold
// the key value taken from that record, repeat values only in a key that
// allows duplicates, and count the unique values the header gives. Stops at
// the first problem and describes it in the data buffer.
//
// Pages are read into a buffer of its own: the position and the page cache
// are left as they were. Each entry's key value is compared with a hash of
// the value taken from its record, noted while the record pages are read in
// order, so no record is read at random.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "byte_order.h"
#include "handle_registry.h"
#include "key_compare.h"
#include "operations.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

using format::Load16;
using format::Load32;

// The first problem found, as text for the caller.
struct Finding {
  std::string text;

  // Returns false, for the checks' `return finding_->Set(...)`. Each part
  // is a text or a number.
  template <typename... Parts>
  bool Set(const Parts&... parts) {
    text.clear();
    (Append(parts), ...);
    return false;
  }
  void Append(const char* part) { text += part; }
  void Append(uint32_t number) { text += std::to_string(number); }
};

// Zero when the first byte is and every byte equals the one after it.
bool AllZero(const uint8_t* bytes, size_t length) {
  return length == 0 || (bytes[0] == 0 && std::memcmp(bytes, bytes + 1, length - 1) == 0);
}

// Bytes of key-value hashes held at once: keys beyond what fits are
// checked in later passes over the record pages.
constexpr size_t kHashBudget = size_t{64} << 20;

// A 64-bit hash of a key value, eight bytes at a time.
uint64_t HashBytes(const uint8_t* bytes, size_t length) {
  uint64_t hash = length * 0x9E3779B97F4A7C15u;
  const auto mix = [&hash](uint64_t word) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDu;
    hash ^= hash >> 32;
  };
  size_t i = 0;
  for (; i + 8 <= length; i += 8) mix(format::Load64(bytes + i));
  uint64_t last = 0;
  for (size_t shift = 0; i < length; ++i, shift += 8) last |= uint64_t{bytes[i]} << shift;
  mix(last);
  return hash;
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
    if (!HeaderPage()) return false;
    // Each pass over the record pages notes the key values of as many keys
    // as the budget holds, which their entries are then compared with; the
    // first pass also checks the record pages.
    const size_t perKey = std::max<size_t>(1, size_t{h_.recordCount} * sizeof(uint64_t));
    const size_t keysAtOnce = std::max<size_t>(1, kHashBudget / perKey);
    size_t first = 0;
    do {
      const size_t end = std::min(h_.keys.size(), first + keysAtOnce);
      if (!RecordPass(first == 0, first, end)) return false;
      for (size_t k = first; k < end; ++k)
        if (!Key(h_.keys[k], keyHashes_[k - first])) return false;
      first = end;
    } while (first < h_.keys.size());
    // Each page was checked as read; the file must still be the one opened.
    if (!StillUnchanged(file_)) return finding_->Set("file changed while it was verified");
    return true;
  }

 private:
  // Reads page `number` and checks its checksum, header and entry count.
  bool ReadChecked(uint32_t number, format::PageType type, uint8_t keyNumber, uint32_t entries) {
    if (!ReadExactly(file_.file, uint64_t{number} << h_.pageShift, page_.get(), h_.pageSize))
      return finding_->Set("page ", number, ": can't be read");
    if (Load32(page_.get() + format::kPageCrc) != format::PageCrc(page_.get(), h_.pageSize))
      return finding_->Set("page ", number, ": checksum wrong");
    const uint8_t* p = page_.get();
    if (p[format::kPageType] != type || p[format::kPageKeyNumber] != keyNumber ||
        Load16(p + format::kPageReserved) != 0 || Load32(p + format::kPageNumber) != number ||
        Load32(p + format::kPageEntryCount) != entries)
      return finding_->Set("page ", number, ": page header wrong");
    return true;
  }

  bool TailIsZero(uint32_t number, size_t used) {
    if (AllZero(page_.get() + used, h_.pageSize - used)) return true;
    return finding_->Set("page ", number, ": unused bytes not zero");
  }

  static uint32_t EntriesOnPage(uint32_t total, uint32_t perPage, uint32_t pageInRun) {
    const uint64_t left = total - uint64_t{pageInRun} * perPage;
    return static_cast<uint32_t>(std::min<uint64_t>(left, perPage));
  }

  bool HeaderPage() {
    if (!ReadChecked(0, format::kHeaderPage, 0, 0)) return false;
    return TailIsZero(0, format::HeaderBytes(h_.keys.size(), h_.segments.size()));
  }

  // Reads every record page in order (checking each on the first pass) and
  // notes the hash of each record's key value for keys [first, end).
  bool RecordPass(bool check, size_t first, size_t end) {
    keyHashes_.assign(end - first, std::vector<uint64_t>(h_.recordCount));
    uint32_t record = 0;
    for (uint32_t i = 0; i < h_.recordPageCount; ++i) {
      const uint32_t count = EntriesOnPage(h_.recordCount, h_.recordsPerPage, i);
      if (!ReadChecked(1 + i, format::kRecordPage, 0, count)) return false;
      if (check && !TailIsZero(1 + i, format::kPageHeaderSize + size_t{count} * h_.recordLength))
        return false;
      for (uint32_t r = 0; r < count; ++r, ++record) {
        const uint8_t* bytes = page_.get() + format::kPageHeaderSize + size_t{r} * h_.recordLength;
        for (size_t k = first; k < end; ++k) {
          format::ExtractKey(bytes, h_.SegmentsOf(h_.keys[k]), fromRecord_.get());
          keyHashes_[k - first][record] = HashBytes(fromRecord_.get(), h_.keys[k].length);
        }
      }
    }
    return true;
  }

  bool Key(const format::KeyDesc& key, const std::vector<uint64_t>& recordKeys) {
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
          return finding_->Set("key ", key.number, " entry ", index, ": record ", record,
                               " past the last record");
        if (seen[record]) return finding_->Set("key ", key.number, ": record ", record, " listed twice");
        seen[record] = true;
        const int order = index == 0 ? 1 : format::CompareKeys(entry, previous_.get(), segments);
        if (order < 0) return finding_->Set("key ", key.number, " entry ", index, ": out of key order");
        if (order == 0 && !key.duplicates)
          return finding_->Set("key ", key.number, " entry ", index, ": duplicate value in a unique key");
        if (order == 0 && record < previousRecord)
          return finding_->Set("key ", key.number, " entry ", index, ": equal values out of record order");
        uniqueValues += order != 0;
        previousRecord = record;
        std::memcpy(previous_.get(), entry, key.length);
        if (HashBytes(entry, key.length) != recordKeys[record])
          return finding_->Set("key ", key.number, " entry ", index, ": key value differs from record ",
                               record, "'s");
      }
    }
    if (uniqueValues != key.uniqueValues)
      return finding_->Set("key ", key.number, ": ", key.uniqueValues, " unique values stored, ",
                           uniqueValues, " counted");
    return true;
  }

  OpenFile& file_;
  const format::FileHeader& h_;
  Finding* finding_ = nullptr;
  std::unique_ptr<uint8_t[]> page_;
  std::unique_ptr<uint8_t[]> previous_;  // the key value of the entry before
  std::unique_ptr<uint8_t[]> fromRecord_;
  std::vector<std::vector<uint64_t>> keyHashes_;  // per key of the pass, per record
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
    const size_t bytes = std::min<size_t>(finding.text.size() + 1, *dataLength);
    std::memcpy(dataBuffer, finding.text.c_str(), bytes);
    static_cast<char*>(dataBuffer)[bytes - 1] = '\0';
    *dataLength = static_cast<uint32_t>(bytes);
  }
  return RECMGR_STATUS_IO_ERROR;
}

}  // namespace recmgr
