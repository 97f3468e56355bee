#include "engine_test_support.h"

#include <cstring>
#include <memory>

#include "byte_order.h"

namespace enginetest {

Bytes LittleEndian(uint64_t value, size_t length) {
  Bytes out(length);
  for (size_t i = 0; i < length; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
  return out;
}

Bytes Text(std::string_view text, size_t length, char pad) {
  Bytes out(length, static_cast<uint8_t>(pad));
  std::memcpy(out.data(), text.data(), std::min(length, text.size()));
  return out;
}

void Put(Bytes& record, size_t offset, const Bytes& value) {
  std::memcpy(record.data() + offset, value.data(), value.size());
}

Bytes Join(const Bytes& a, const Bytes& b) {
  Bytes out = a;
  out.insert(out.end(), b.begin(), b.end());
  return out;
}

recmgr::KeySegment Segment(uint16_t offset, uint16_t length, recmgr::SegmentType type, bool descending) {
  recmgr::KeySegment s;
  s.offset = offset;
  s.length = length;
  s.type = type;
  s.descending = descending;
  return s;
}

recmgr::KeySpec Key(uint8_t number, std::vector<recmgr::KeySegment> segments, bool duplicates) {
  recmgr::KeySpec k;
  k.number = number;
  k.duplicates = duplicates;
  k.segments = std::move(segments);
  return k;
}

int16_t WriteFile(const std::string& path, const recmgr::FileSpec& spec, const std::vector<Bytes>& records) {
  std::unique_ptr<recmgr::FileWriter> writer;
  recmgr::Status status = recmgr::FileWriter::Create(path, spec, &writer);
  for (size_t i = 0; status.IsOk() && i < records.size(); ++i) {
    status = writer->Add(std::as_bytes(std::span(records[i])));
  }
  if (status.IsOk()) status = writer->Finish();
  return status.Code();
}

int16_t Open(PositionBlock& block, const std::string& path, const char* owner) {
  char key[255] = {};
  std::strncpy(key, path.c_str(), sizeof key - 1);
  uint32_t length = 0;
  return RecmgrCall(RECMGR_OP_OPEN, block.bytes, const_cast<char*>(owner), &length, key, sizeof key, 0);
}

int16_t Close(PositionBlock& block) {
  uint8_t scratch[256] = {};
  uint32_t length = 0;
  return RecmgrCall(RECMGR_OP_CLOSE, block.bytes, scratch, &length, scratch, 255, 0);
}

GetResult Get(PositionBlock& block, uint16_t operation, int8_t keyNumber, const Bytes& keyValue,
              size_t keyBytes) {
  static thread_local std::vector<uint8_t> data(65535);
  uint8_t key[255] = {};
  if (!keyValue.empty()) std::memcpy(key, keyValue.data(), std::min(keyValue.size(), sizeof key));
  uint32_t length = static_cast<uint32_t>(data.size());
  GetResult result;
  result.status = RecmgrCall(operation, block.bytes, data.data(), &length, key, sizeof key, keyNumber);
  if (result.status == 0) result.record.assign(data.begin(), data.begin() + length);
  result.key.assign(key, key + std::min(keyBytes, sizeof key));
  return result;
}

std::vector<Bytes> WalkKey(PositionBlock& block, int8_t keyNumber, int16_t* endStatus) {
  std::vector<Bytes> records;
  GetResult r = Get(block, RECMGR_OP_GET_FIRST, keyNumber);
  while (r.status == 0) {
    records.push_back(r.record);
    r = Get(block, RECMGR_OP_GET_NEXT, keyNumber);
  }
  *endStatus = r.status;
  return records;
}

std::vector<Bytes> StepAll(PositionBlock& block, int16_t* endStatus, std::vector<uint32_t>* positions) {
  std::vector<Bytes> records;
  GetResult r = Get(block, RECMGR_OP_STEP_FIRST, 0, {}, RECMGR_STEP_POSITION_SIZE);
  while (r.status == 0) {
    records.push_back(r.record);
    if (positions != nullptr) positions->push_back(recmgr::format::Load32(r.key.data()));
    r = Get(block, RECMGR_OP_STEP_NEXT, 0, {}, RECMGR_STEP_POSITION_SIZE);
  }
  *endStatus = r.status;
  return records;
}

namespace {

bool Ordinary(int16_t status) { return status == 0 || status == 4 || status == 6 || status == 9; }

}  // namespace

int16_t ReadEverything(const std::string& path) {
  PositionBlock block;
  int16_t status = Open(block, path);
  if (status != 0) return status;
  int16_t bad = 0;
  auto note = [&bad](int16_t s) {
    if (bad == 0 && !Ordinary(s)) bad = s;
  };
  std::vector<uint8_t> stat(33236);
  uint32_t length = static_cast<uint32_t>(stat.size());
  uint8_t pathOut[255];
  note(RecmgrCall(RECMGR_OP_STAT, block.bytes, stat.data(), &length, pathOut, sizeof pathOut, -1));
  for (int key = 0; key < 128; ++key) {
    const auto number = static_cast<int8_t>(key);
    GetResult first = Get(block, RECMGR_OP_GET_FIRST, number, {}, 255);
    note(first.status);
    if (first.status == 6) continue;
    int16_t end = 0;
    WalkKey(block, number, &end);
    note(end);
    if (first.status == 0) {
      note(Get(block, RECMGR_OP_GET_EQUAL, number, first.key).status);
      note(Get(block, RECMGR_OP_GET_GREATER_OR_EQUAL, number, first.key).status);
    }
    note(Get(block, RECMGR_OP_GET_GREATER_OR_EQUAL, number, Bytes(255, 0x7F)).status);
    note(Get(block, RECMGR_OP_GET_EQUAL, number, Bytes(255, 0x00)).status);
  }
  int16_t end = 0;
  StepAll(block, &end);
  note(end);
  const int16_t closed = Close(block);
  if (bad == 0 && closed != 0) bad = closed;
  return bad;
}

}  // namespace enginetest
