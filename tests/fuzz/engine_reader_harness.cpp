// Fuzz target for the engine's reader: every input is a file, opened through
// RecmgrCall twice (without an owner name, and with the default owner name
// the dictionaries carry) and read with a short script of operations. The
// engine must survive any file; a few answers it gives are checked too.
//
// Input: a 16-byte prefix, then the file's bytes.
//   prefix[0] bit 0: recompute every page's checksum before the file is
//                    written, so that damage reaches the checks behind them
//   prefix[1..15]:   the script, one step per byte (see RunStep)
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "byte_order.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "page_format.h"
#include "recmgr/recmgr.h"
#include "reseal_pages.h"

namespace {

constexpr size_t kPrefixBytes = 16;
constexpr uint8_t kResealPages = 0x01;
constexpr size_t kKeyBytes = 256;
constexpr int kKeyNumbers = 128;

// The statuses the engine may give; anything else is a fault.
bool IsKnownStatus(int16_t status) {
  switch (status) {
    case RECMGR_STATUS_SUCCESS:
    case RECMGR_STATUS_INVALID_OPERATION:
    case RECMGR_STATUS_IO_ERROR:
    case RECMGR_STATUS_FILE_NOT_OPEN:
    case RECMGR_STATUS_KEY_NOT_FOUND:
    case RECMGR_STATUS_INVALID_KEY_NUMBER:
    case RECMGR_STATUS_DIFFERENT_KEY_NUMBER:
    case RECMGR_STATUS_INVALID_POSITIONING:
    case RECMGR_STATUS_END_OF_FILE:
    case RECMGR_STATUS_INVALID_FILE_NAME:
    case RECMGR_STATUS_FILE_NOT_FOUND:
    case RECMGR_STATUS_KEY_BUFFER_TOO_SHORT:
    case RECMGR_STATUS_DATA_BUFFER_TOO_SHORT:
    case RECMGR_STATUS_NOT_A_RECMGR_FILE:
    case RECMGR_STATUS_ACCESS_DENIED:
    case RECMGR_STATUS_INVALID_OWNER_NAME: return true;
    default: return false;
  }
}

void Require(bool condition) {
  if (!condition) std::abort();
}

// One open of the file and what the script has learnt about it.
struct Reader {
  alignas(8) uint8_t block[RECMGR_POSITION_BLOCK_SIZE] = {};
  const char* owner = nullptr;  // nullptr: no owner name (null data buffer)
  uint8_t key[kKeyBytes] = {};  // the key value the last Get returned
                                // From the last Stat that succeeded (zero before one did):
  uint32_t recordLength = 0;
  uint32_t recordCount = 0;
  uint32_t statLength = 0;                 // bytes Stat filled
  uint8_t keyLengths[kKeyNumbers] = {};    // by key number: its segments' lengths together
  int8_t lastKeyNumber = kKeyNumbers - 1;  // the highest key number declared
};

// What Stat says about the file, kept for the steps that follow.
void LearnFromStat(Reader& reader, const uint8_t* stat, uint32_t length) {
  reader.recordLength = recmgr::format::Load16(stat + RECMGR_STAT_RECORD_LENGTH);
  reader.recordCount = recmgr::format::Load32(stat + RECMGR_STAT_RECORD_COUNT);
  reader.statLength = length;
  std::fill(std::begin(reader.keyLengths), std::end(reader.keyLengths), 0);
  for (size_t at = RECMGR_STAT_FILE_SPEC_SIZE; at + RECMGR_STAT_KEY_SPEC_SIZE <= length;
       at += RECMGR_STAT_KEY_SPEC_SIZE) {
    const uint8_t number = stat[at + RECMGR_STAT_KEY_NUMBER] % kKeyNumbers;
    reader.keyLengths[number] = static_cast<uint8_t>(
        reader.keyLengths[number] + recmgr::format::Load16(stat + at + RECMGR_STAT_SEGMENT_LENGTH));
    reader.lastKeyNumber = static_cast<int8_t>(number);
  }
}

// Calls the entry with buffers of exactly the sizes offered, so that the
// sanitizers see any byte written past them.
int16_t Call(Reader& reader, uint16_t operation, int8_t keyNumber, size_t dataSize, uint8_t keyLength) {
  std::vector<uint8_t> data(dataSize);
  std::vector<uint8_t> key(keyLength);
  std::copy_n(reader.key, std::min(kKeyBytes, key.size()), key.begin());
  uint32_t length = static_cast<uint32_t>(dataSize);
  const int16_t status = RecmgrCall(operation, reader.block, dataSize > 0 ? data.data() : nullptr, &length,
                                    keyLength > 0 ? key.data() : nullptr, keyLength, keyNumber);
  Require(IsKnownStatus(status));
  Require(length <= dataSize);
  std::copy(key.begin(), key.end(), reader.key);
  if (status == RECMGR_STATUS_SUCCESS && operation == RECMGR_OP_STAT) {
    Require(length >= RECMGR_STAT_FILE_SPEC_SIZE);
    LearnFromStat(reader, data.data(), length);
  } else if (status == RECMGR_STATUS_SUCCESS && operation != RECMGR_OP_CLOSE) {
    Require(reader.recordLength == 0 || length == reader.recordLength);
  }
  return status;
}

// Steps through the whole file: each record once, at rising positions, no
// more than Stat counts, and a walk that ends short ends on status 2.
void CheckStoredOrder(Reader& reader) {
  uint16_t operation = RECMGR_OP_STEP_FIRST;
  uint64_t steps = 0;
  int64_t lastPosition = -1;
  for (;;) {
    const int16_t status = Call(reader, operation, 0, reader.recordLength, RECMGR_STEP_POSITION_SIZE);
    if (status != RECMGR_STATUS_SUCCESS) {
      Require(status == RECMGR_STATUS_END_OF_FILE ? steps == reader.recordCount
                                                  : status == RECMGR_STATUS_IO_ERROR);
      return;
    }
    const int64_t position = recmgr::format::Load32(reader.key);
    Require(position > lastPosition && ++steps <= reader.recordCount);
    lastPosition = position;
    operation = RECMGR_OP_STEP_NEXT;
  }
}

int16_t Open(Reader& reader, const std::string& path) {
  std::vector<char> key(255, '\0');
  std::copy_n(path.begin(), std::min(path.size(), key.size() - 1), key.begin());
  uint32_t length = 0;
  const int16_t status = RecmgrCall(RECMGR_OP_OPEN, reader.block, const_cast<char*>(reader.owner), &length,
                                    key.data(), static_cast<uint8_t>(key.size()), 0);
  Require(IsKnownStatus(status));
  // Stat with room for every key segment, for the record length.
  if (status == RECMGR_STATUS_SUCCESS && Call(reader, RECMGR_OP_STAT, -1, 1 << 16, 255) == 0) {
    CheckStoredOrder(reader);
  }
  return status;
}

int16_t Close(Reader& reader) { return Call(reader, RECMGR_OP_CLOSE, 0, 0, 0); }

// Buffer sizes for one step: all room, exactly what the answer needs by
// what Stat said, or that with one byte less of data or of key.
struct Buffers {
  size_t data;
  uint8_t key;
};

Buffers ChooseBuffers(const Reader& reader, const std::string& path, bool stat, int8_t keyNumber,
                      int choice) {
  if (choice == 0) return {65535, 255};
  size_t data = stat ? reader.statLength : reader.recordLength;
  size_t key = stat ? path.size() + 1 : keyNumber >= 0 ? reader.keyLengths[keyNumber] : 0;
  if (choice == 2 && data > 0) --data;
  if (choice == 3 && key > 0) --key;
  return {data, static_cast<uint8_t>(std::min<size_t>(key, 255))};
}

// Operation 5 of a step, by its key choice: 0-1 Step First, 2-3 Step Next
// (with the buffers chosen), 4 Step Next, 5 Step First, 6-7 Get Next (with
// no buffers at all).
void RunStoredOrderStep(Reader& reader, int keyChoice, Buffers size) {
  if (keyChoice >= 4) size = {0, 0};
  const bool first = keyChoice < 2 || keyChoice == 5;
  const uint16_t operation = keyChoice >= 6 ? RECMGR_OP_GET_NEXT
                             : first        ? RECMGR_OP_STEP_FIRST
                                            : RECMGR_OP_STEP_NEXT;
  Call(reader, operation, static_cast<int8_t>(keyChoice), size.data, size.key);
}

// One step: bits 0-2 the operation, bits 3-5 the key number (6 stands for
// the file's last key, 7 for -1), bits 6-7 the buffers (ChooseBuffers).
void RunStep(Reader& reader, const std::string& path, uint8_t step) {
  const int operation = step & 7;
  const int keyChoice = (step >> 3) & 7;
  const auto keyNumber = static_cast<int8_t>(keyChoice == 7   ? -1
                                             : keyChoice == 6 ? reader.lastKeyNumber
                                                              : keyChoice);
  const Buffers size = ChooseBuffers(reader, path, operation == 4, keyNumber, step >> 6);
  switch (operation) {
    case 0: Call(reader, RECMGR_OP_GET_FIRST, keyNumber, size.data, size.key); break;
    case 1: Call(reader, RECMGR_OP_GET_NEXT, keyNumber, size.data, size.key); break;
    case 5: RunStoredOrderStep(reader, keyChoice, size); break;
    case 2: Call(reader, RECMGR_OP_GET_EQUAL, keyNumber, size.data, size.key); break;
    case 3:  // just past the last key value returned
      ++reader.key[0];
      Call(reader, RECMGR_OP_GET_GREATER_OR_EQUAL, keyNumber, size.data, size.key);
      break;
    case 4: Call(reader, RECMGR_OP_STAT, keyNumber, size.data, size.key); break;
    case 6:
      Close(reader);
      Open(reader, path);
      break;
    case 7:  // from the lowest value of most key types
      std::fill(std::begin(reader.key), std::end(reader.key), 0);
      Call(reader, RECMGR_OP_GET_GREATER_OR_EQUAL, keyNumber, size.data, size.key);
      break;
  }
}

// The file every input is written to, in a folder of this process's own,
// removed at exit.
std::string gInputFolder;
std::string gInputPath;

void RemoveInputFolder() {
  unlink(gInputPath.c_str());
  rmdir(gInputFolder.c_str());
}

const std::string& InputPath() {
  if (gInputPath.empty()) {
    char folder[] = "/tmp/fuzz-engine-reader-XXXXXX";
    Require(mkdtemp(folder) != nullptr);
    gInputFolder = folder;
    gInputPath = gInputFolder + "/input.dat";
    std::atexit(RemoveInputFolder);
  }
  return gInputPath;
}

void WriteInputFile(const std::string& path, const uint8_t* bytes, size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  Require(fd >= 0);
  size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, bytes + written, size - written);
    Require(n > 0);
    written += static_cast<size_t>(n);
  }
  close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kPrefixBytes) return 0;
  std::vector<uint8_t> file(data + kPrefixBytes, data + size);
  if (data[0] & kResealPages) fuzzsupport::ResealPages(file);
  const std::string& path = InputPath();
  WriteInputFile(path, file.data(), file.size());

  // Both opens stay live together, as the dictionaries do in the report.
  Reader withoutOwner, withOwner;
  withOwner.owner = kDefaultOwnerName;
  Open(withoutOwner, path);
  Open(withOwner, path);
  for (Reader* reader : {&withoutOwner, &withOwner})
    for (size_t i = 1; i < kPrefixBytes; ++i) RunStep(*reader, path, data[i]);
  Close(withoutOwner);
  Close(withOwner);
  // Closed is closed.
  Require(Close(withOwner) == RECMGR_STATUS_FILE_NOT_OPEN);
  return 0;
}
