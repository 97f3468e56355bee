#include "file_integrity.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace dictcheck {
namespace {

uint8_t ByteAt(const uint8_t* record, uint32_t length, size_t at) { return at < length ? record[at] : 0; }

uint8_t Folded(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 'a' + 'A') : c; }

int CompareSegment(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength,
                   const KeySegmentStat& segment) {
  const size_t start = segment.position > 0 ? segment.position - 1u : 0;
  const bool integer = segment.flags & (RECMGR_SEGMENT_SIGNED | RECMGR_SEGMENT_UNSIGNED);
  if (integer) {
    // Little-endian: the most significant byte last; a signed one decides by its sign first.
    for (size_t i = segment.length; i-- > 0;) {
      int x = ByteAt(a, aLength, start + i), y = ByteAt(b, bLength, start + i);
      if (i + 1 == segment.length && (segment.flags & RECMGR_SEGMENT_SIGNED)) {
        // The top byte read as two's complement.
        x = x >= 0x80 ? x - 0x100 : x;
        y = y >= 0x80 ? y - 0x100 : y;
      }
      if (x != y) return x < y ? -1 : 1;
    }
    return 0;
  }
  const bool folded = segment.flags & RECMGR_SEGMENT_CASE_INSENSITIVE;
  for (size_t i = 0; i < segment.length; ++i) {
    uint8_t x = ByteAt(a, aLength, start + i), y = ByteAt(b, bLength, start + i);
    if (folded) {
      x = Folded(x);
      y = Folded(y);
    }
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

uint64_t RecordHash(const uint8_t* record, uint32_t length) {
  return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(record), length));
}

// The records one walk gave, as sorted hashes; `complete` once it ended
// normally with no more records than Stat counts.
struct WalkResult {
  std::vector<uint64_t> hashes;
  bool complete = false;
};

class FileWalks {
 public:
  FileWalks(RecmgrFile& file, const FileStat& stat, const FileReport& report)
      : file_(file),
        stat_(stat),
        report_(report),
        room_(std::max<uint32_t>(stat.recordLength, 1)),
        current_(room_),
        previous_(room_) {}

  // The records in stored order. Status 1 when the record manager has no
  // such walk.
  int Physical(WalkResult* result) {
    uint32_t length = 0;
    int status = file_.StepFirst(current_.data(), room_, &length);
    if (status == RECMGR_STATUS_INVALID_OPERATION) return status;
    Collect(
        "stored order", status, result, [&](uint32_t, uint32_t) {},
        [&](uint32_t* next) { return file_.StepNext(current_.data(), room_, next); }, length);
    return RECMGR_STATUS_SUCCESS;
  }

  void Key(const KeyStat& key, WalkResult* result, const RecordSink& sink) {
    const std::string name = "key " + std::to_string(key.number);
    uint32_t length = 0;
    const int status = file_.GetFirst(key.number, current_.data(), room_, &length);
    uint32_t runs = 0, previousLength = 0;
    bool disorderTold = false;
    const auto each = [&](uint32_t index, uint32_t recordLength) {
      if (sink) sink(current_.data(), recordLength);
      const int order =
          index == 0 ? 1 : CompareByKey(current_.data(), recordLength, previous_.data(), previousLength, key);
      if (!disorderTold && order < 0) {
        report_(name + ": record " + std::to_string(index + 1) + " of its walk is out of key order");
        disorderTold = true;
      } else if (!disorderTold && order == 0 && !key.duplicates) {
        report_(name + ": record " + std::to_string(index + 1) +
                " of its walk repeats a value, but the key allows no duplicates");
        disorderTold = true;
      }
      runs += order != 0;
      std::swap(current_, previous_);
      previousLength = recordLength;
    };
    Collect(
        name, status, result, each,
        [&](uint32_t* next) { return file_.GetNext(current_.data(), room_, next); }, length);
    if (result->complete && runs != key.uniqueValues)
      report_(name + ": " + std::to_string(key.uniqueValues) + " unique values in its statistics, " +
              std::to_string(runs) + " in its walk");
  }

 private:
  // Walks from a first status on: `each` sees every record (its index in
  // the walk and length), `next` reads the one after. Never more records
  // than Stat counts plus one, so a walk that loops ends.
  template <typename Each, typename Next>
  void Collect(const std::string& name, int status, WalkResult* result, Each each, Next next,
               uint32_t length) {
    uint32_t count = 0;
    for (; status == RECMGR_STATUS_SUCCESS; status = next(&length), ++count) {
      if (count == stat_.recordCount) {
        report_(name + ": more records than the " + std::to_string(stat_.recordCount) + " of its statistics");
        return;
      }
      if (length != stat_.recordLength)
        report_(name + ": a record of " + std::to_string(length) + " bytes, not " +
                std::to_string(stat_.recordLength));
      length = std::min(length, room_);
      result->hashes.push_back(RecordHash(current_.data(), length));
      each(count, length);
    }
    if (status != RECMGR_STATUS_END_OF_FILE) {
      report_(name + ": walk stopped after " + std::to_string(count) +
              " records: " + RecmgrStatusWords(status));
      return;
    }
    if (count != stat_.recordCount) {
      report_(name + ": " + std::to_string(count) + " records, but " + std::to_string(stat_.recordCount) +
              " in its statistics");
      return;
    }
    std::sort(result->hashes.begin(), result->hashes.end());
    result->complete = true;
  }

  RecmgrFile& file_;
  const FileStat& stat_;
  const FileReport& report_;
  // Room for a record of the length Stat gives: a longer one is status 22.
  uint32_t room_;
  std::vector<uint8_t> current_;
  std::vector<uint8_t> previous_;
};

// True if the record manager verified every page and key and found them sound.
bool VerifyPages(RecmgrFile& file, const FileReport& report) {
  std::string finding;
  const int status = file.Verify(&finding);
  if (status == RECMGR_STATUS_SUCCESS || status == RECMGR_STATUS_INVALID_OPERATION)
    return status == RECMGR_STATUS_SUCCESS;
  report(finding.empty() ? std::string("can't be verified: ") + RecmgrStatusWords(status) : finding);
  return false;
}

}  // namespace

int CompareByKey(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength, const KeyStat& key) {
  for (const KeySegmentStat& segment : key.segments) {
    int order = CompareSegment(a, aLength, b, bLength, segment);
    if (segment.flags & RECMGR_SEGMENT_DESCENDING) order = -order;
    if (order != 0) return order;
  }
  return 0;
}

void CheckFileIntegrity(RecmgrFile& file, const FileStat& stat, const FileReport& report, int collectKey,
                        const RecordSink& sink) {
  // A file the engine verified has had each key's entries checked against
  // the records themselves, by record number, which a walk through the
  // entry can't see; then only the key the caller reads by is walked.
  const bool verified = VerifyPages(file, report);
  FileWalks walks(file, stat, report);
  // Every key's walk must give the records the stored order gives; without
  // that walk, the first key's.
  WalkResult reference;
  const bool stepped = walks.Physical(&reference) == RECMGR_STATUS_SUCCESS;
  bool haveReference = stepped && reference.complete;
  for (const KeyStat& key : stat.keys) {
    if (verified && key.number != collectKey) continue;
    WalkResult walk;
    walks.Key(key, &walk, key.number == collectKey ? sink : nullptr);
    if (!walk.complete) continue;
    if (!haveReference && !stepped) {
      reference = std::move(walk);
      haveReference = true;
    } else if (haveReference && walk.hashes != reference.hashes) {
      report("key " + std::to_string(key.number) + ": its walk does not give each record exactly once");
    }
  }
}

}  // namespace dictcheck
