#include "answer_stream.h"

#include <algorithm>
#include <cstring>

#include "recmgr/recmgr.h"

namespace fuzzsupport {
namespace {

struct Cursor {
  const uint8_t* next = nullptr;
  const uint8_t* end = nullptr;
};

Cursor gStream;
const uint8_t* gLastAnswer = nullptr;  // where the answer served last starts
size_t gRepeatsLeft = 0;
size_t gRepeatBudget = 0;  // repeats left for the whole stream, so that runs stay short

constexpr size_t kMaxDataBytes = 0xFFFF;
constexpr size_t kMaxKeyBytes = 0xFF;
constexpr size_t kRepeatUnit = 16;
constexpr size_t kRepeatsPerStream = 1 << 16;

bool WritesBuffers(uint16_t operation) { return operation != RECMGR_OP_OPEN && operation != RECMGR_OP_CLOSE; }

// Takes up to `count` bytes; returns how many it took.
size_t Take(Cursor& cursor, size_t count, const uint8_t** bytes) {
  const size_t taken = std::min(count, static_cast<size_t>(cursor.end - cursor.next));
  *bytes = cursor.next;
  cursor.next += taken;
  return taken;
}

// A little-endian count of `width` bytes; what is left of it if the stream
// ends inside it.
size_t TakeCount(Cursor& cursor, size_t width) {
  const uint8_t* bytes;
  const size_t taken = Take(cursor, width, &bytes);
  size_t count = 0;
  for (size_t i = 0; i < taken; ++i) count |= size_t{bytes[i]} << (8 * i);
  return count;
}

void AppendCount(std::string* stream, size_t count, size_t width) {
  for (size_t i = 0; i < width; ++i) stream->push_back(static_cast<char>((count >> (8 * i)) & 0xFF));
}

// Serves the answer at the cursor and moves the cursor past it.
int16_t Serve(Cursor& cursor, uint16_t operation, void* dataBuffer, uint32_t* dataLength, void* keyBuffer,
              uint8_t keyLength) {
  auto status = static_cast<int16_t>(TakeCount(cursor, 2));
  if (status == RECMGR_STATUS_NOT_LOADED) status = RECMGR_STATUS_IO_ERROR;
  if (!WritesBuffers(operation)) return status;

  const uint8_t* bytes;
  const size_t dataBytes = Take(cursor, TakeCount(cursor, 2), &bytes);
  const size_t room = (dataBuffer == nullptr || dataLength == nullptr) ? 0 : *dataLength;
  const size_t written = std::min(dataBytes, room);
  if (written > 0) std::memcpy(dataBuffer, bytes, written);
  if (dataLength != nullptr && dataBytes > 0) *dataLength = static_cast<uint32_t>(written);

  const size_t keyBytes = Take(cursor, TakeCount(cursor, 1), &bytes);
  const size_t keyWritten = keyBuffer == nullptr ? 0 : std::min(keyBytes, size_t{keyLength});
  if (keyWritten > 0) std::memcpy(keyBuffer, bytes, keyWritten);
  return status;
}

bool AtRepeatMarker() {
  return gStream.end - gStream.next >= 2 && gStream.next[0] == (kRepeatMarker & 0xFF) &&
         gStream.next[1] == (kRepeatMarker >> 8);
}

}  // namespace

void StartAnswers(const uint8_t* stream, size_t size) {
  gStream = Cursor{stream, stream + size};
  gLastAnswer = nullptr;
  gRepeatsLeft = 0;
  gRepeatBudget = kRepeatsPerStream;
}

int16_t AnswerCall(uint16_t operation, void*, void* dataBuffer, uint32_t* dataLength, void* keyBuffer,
                   uint8_t keyLength, int8_t) {
  if (gRepeatsLeft == 0 && AtRepeatMarker() && gLastAnswer != nullptr) {
    gStream.next += 2;
    gRepeatsLeft = std::min(kRepeatUnit * (TakeCount(gStream, 1) + 1), gRepeatBudget);
    gRepeatBudget -= gRepeatsLeft;
  }
  if (gRepeatsLeft > 0) {
    --gRepeatsLeft;
    Cursor again{gLastAnswer, gStream.end};
    return Serve(again, operation, dataBuffer, dataLength, keyBuffer, keyLength);
  }
  if (gStream.next == gStream.end) return RECMGR_STATUS_END_OF_FILE;
  gLastAnswer = gStream.next;
  return Serve(gStream, operation, dataBuffer, dataLength, keyBuffer, keyLength);
}

void AppendAnswer(std::string* stream, uint16_t operation, int16_t status, const void* data, size_t dataBytes,
                  const void* key, size_t keyBytes) {
  AppendCount(stream, static_cast<uint16_t>(status), 2);
  if (!WritesBuffers(operation)) return;
  dataBytes = std::min(dataBytes, kMaxDataBytes);
  AppendCount(stream, dataBytes, 2);
  if (dataBytes > 0) stream->append(static_cast<const char*>(data), dataBytes);
  keyBytes = std::min(keyBytes, kMaxKeyBytes);
  AppendCount(stream, keyBytes, 1);
  if (keyBytes > 0) stream->append(static_cast<const char*>(key), keyBytes);
}

}  // namespace fuzzsupport
