// Times the engine on one large file: 100,000 records of 200 bytes with
// three keys written through the writer, then 14,286 Get Equal calls and a
// walk of a 100,000-entry key through RecmgrCall. Prints one line per step.
//
//   bench_record_file FOLDER
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "recmgr/recmgr.h"
#include "recmgr/writer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kRecords = 100000;
constexpr uint16_t kRecordLength = 200;

void PutLittleEndian(uint8_t* out, uint64_t value, size_t length) {
  for (size_t i = 0; i < length; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

recmgr::KeySegment Segment(uint16_t offset, uint16_t length, recmgr::SegmentType type) {
  recmgr::KeySegment segment;
  segment.offset = offset;
  segment.length = length;
  segment.type = type;
  return segment;
}

// Key 0: a unique scrambled number; key 1: a case-insensitive name with
// duplicates; key 2: a small number, then the name's start.
recmgr::FileSpec Spec() {
  recmgr::FileSpec spec;
  spec.recordLength = kRecordLength;
  spec.keys.resize(3);
  spec.keys[0].number = 0;
  spec.keys[0].segments = {Segment(0, 4, recmgr::SegmentType::kUnsignedInteger)};
  spec.keys[1].number = 1;
  spec.keys[1].duplicates = true;
  spec.keys[1].segments = {Segment(4, 128, recmgr::SegmentType::kCaseInsensitiveString)};
  spec.keys[2].number = 2;
  spec.keys[2].duplicates = true;
  spec.keys[2].segments = {Segment(132, 4, recmgr::SegmentType::kSignedInteger),
                           Segment(4, 20, recmgr::SegmentType::kString)};
  return spec;
}

std::vector<uint8_t> Record(uint32_t i) {
  std::vector<uint8_t> record(kRecordLength, ' ');
  PutLittleEndian(record.data(), i * 2654435761u, 4);
  const std::string name = "FIELD_" + std::to_string((i * 7) % 100003);
  std::memcpy(record.data() + 4, name.data(), name.size());
  PutLittleEndian(record.data() + 132, i % 500, 4);
  return record;
}

int Fail(const char* step, int status) {
  std::fprintf(stderr, "bench_record_file: %s failed with status %d\n", step, status);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: bench_record_file FOLDER\n", stderr);
    return 2;
  }
  const std::string path = std::string(argv[1]) + "/records.dat";
  std::vector<std::vector<uint8_t>> records;
  records.reserve(kRecords);
  for (uint32_t i = 0; i < kRecords; ++i) records.push_back(Record(i));

  const Clock::time_point writeStart = Clock::now();
  std::unique_ptr<recmgr::FileWriter> writer;
  recmgr::Status written = recmgr::FileWriter::Create(path, Spec(), &writer);
  for (size_t i = 0; written.IsOk() && i < records.size(); ++i) {
    written = writer->Add(std::as_bytes(std::span(records[i])));
  }
  if (written.IsOk()) written = writer->Finish();
  if (!written.IsOk()) {
    std::fprintf(stderr, "bench_record_file: cannot write %s: %s\n", path.c_str(), written.Message().c_str());
    return 1;
  }
  std::printf("write 100,000 records (200 bytes, 3 keys): %.1f ms\n", MillisecondsSince(writeStart));

  alignas(8) uint8_t block[RECMGR_POSITION_BLOCK_SIZE] = {};
  char pathKey[255] = {};
  std::strncpy(pathKey, path.c_str(), sizeof pathKey - 1);
  uint32_t length = 0;
  int status = RecmgrCall(RECMGR_OP_OPEN, block, const_cast<char*>(""), &length, pathKey, 255, 0);
  if (status != 0) return Fail("Open", status);

  std::vector<uint8_t> data(kRecordLength);
  uint8_t key[255] = {};
  const Clock::time_point readStart = Clock::now();
  uint32_t found = 0;
  for (uint32_t i = 0; i < kRecords; i += 7) {
    PutLittleEndian(key, i * 2654435761u, 4);
    length = kRecordLength;
    status = RecmgrCall(RECMGR_OP_GET_EQUAL, block, data.data(), &length, key, 255, 0);
    if (status != 0 || data != records[i]) return Fail("Get Equal", status);
    ++found;
  }
  uint32_t walked = 0;
  uint16_t operation = RECMGR_OP_GET_FIRST;
  for (;;) {
    length = kRecordLength;
    status = RecmgrCall(operation, block, data.data(), &length, key, 255, 1);
    if (status != 0) break;
    ++walked;
    operation = RECMGR_OP_GET_NEXT;
  }
  if (status != RECMGR_STATUS_END_OF_FILE || walked != kRecords) return Fail("walk", status);
  std::printf("%u Get Equal and a %u-record walk: %.1f ms\n", found, walked, MillisecondsSince(readStart));
  RecmgrCall(RECMGR_OP_CLOSE, block, data.data(), &length, key, 255, 0);
  return 0;
}
