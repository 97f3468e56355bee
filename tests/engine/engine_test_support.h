// Helpers for the engine tests: records built byte by byte, files written
// through the writer, and thin wrappers over RecmgrCall.
#ifndef TESTS_ENGINE_ENGINE_TEST_SUPPORT_H
#define TESTS_ENGINE_ENGINE_TEST_SUPPORT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recmgr/recmgr.h"
#include "recmgr/writer.h"

namespace enginetest {

using Bytes = std::vector<uint8_t>;

// A caller-reserved position block.
struct PositionBlock {
  alignas(8) uint8_t bytes[RECMGR_POSITION_BLOCK_SIZE] = {};
};

// `value` as `length` little-endian bytes.
Bytes LittleEndian(uint64_t value, size_t length);
// `text` padded with `pad` (or cut) to `length` bytes.
Bytes Text(std::string_view text, size_t length, char pad = ' ');
// Copies `value` into `record` at `offset`.
void Put(Bytes& record, size_t offset, const Bytes& value);
// Concatenation.
Bytes Join(const Bytes& a, const Bytes& b);

recmgr::KeySegment Segment(uint16_t offset, uint16_t length, recmgr::SegmentType type,
                           bool descending = false);
recmgr::KeySpec Key(uint8_t number, std::vector<recmgr::KeySegment> segments, bool duplicates = false);

// Creates, fills and finishes a file; returns the first failure's status code.
int16_t WriteFile(const std::string& path, const recmgr::FileSpec& spec, const std::vector<Bytes>& records);

// Open with the path in a 255-byte key buffer and `owner` as the owner name
// (nullptr: null data buffer).
int16_t Open(PositionBlock& block, const std::string& path, const char* owner = "");
int16_t Close(PositionBlock& block);

struct GetResult {
  int16_t status = -1;
  Bytes record;  // dataLength bytes after a success
  Bytes key;     // the key buffer's first `keyBytes` bytes
};

// Runs a Get with a 255-byte key buffer holding `keyValue`, a data buffer of
// 65,535 bytes. `keyBytes` bytes of the key buffer are returned.
GetResult Get(PositionBlock& block, uint16_t operation, int8_t keyNumber, const Bytes& keyValue = {},
              size_t keyBytes = 0);

// Get First then Get Next to the end; the status that ended the walk is in
// *endStatus. Returns the records in the order read.
std::vector<Bytes> WalkKey(PositionBlock& block, int8_t keyNumber, int16_t* endStatus);

// Step First then Step Next to the end, the same way; the physical
// positions the steps gave go to *positions when it is not null.
std::vector<Bytes> StepAll(PositionBlock& block, int16_t* endStatus,
                           std::vector<uint32_t>* positions = nullptr);

// Opens `path` and uses every operation on every key and steps through the records, the way a reader of
// a damaged file would. Returns 0 if every call gave an ordinary status
// (0, 4, 6, 9), else the first other status met.
int16_t ReadEverything(const std::string& path);

}  // namespace enginetest

#endif  // TESTS_ENGINE_ENGINE_TEST_SUPPORT_H
