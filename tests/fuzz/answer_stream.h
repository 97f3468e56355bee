// A stand-in record manager that answers every call from a byte stream, so
// that the report can be run in-process over dictionary records, statistics
// and statuses of any shape. The report's fuzz target serves its input this
// way; its seeds are streams recorded from the real engine.
//
// The stream holds one answer per call, in call order:
//   status  2 bytes, little-endian, signed. Status 20 is served as 2: it
//           ends the process by design, which a fuzz run must not do.
//   then, for the Gets and Stat only (Open and Close write nothing):
//   data    a 2-byte count n, then n bytes, copied to the data buffer;
//           at most *dataLength of them, and *dataLength becomes the number
//           copied (n = 0 leaves it as it was, as a failed Get does)
//   key     a 1-byte count k, then k bytes, copied to the key buffer; at
//           most keyLength of them
// In place of an answer, the status kRepeatMarker and a 1-byte count c
// serve the answer before it again, to this call and the next, 16 * (c + 1)
// calls in all: enough to reach the report's array and list limits. At
// most 65,536 calls of a stream are served that way.
// A stream that ends early ends in the middle of an answer: what is there
// is used. Once it is used up every call answers 9 (end of file) and writes
// nothing, so every scan ends.
#ifndef TESTS_FUZZ_ANSWER_STREAM_H
#define TESTS_FUZZ_ANSWER_STREAM_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzsupport {

constexpr uint16_t kRepeatMarker = 0x7FFF;

// Serves the following calls from `size` bytes at `stream`, which must stay
// alive while they run.
void StartAnswers(const uint8_t* stream, size_t size);

// The call entry that answers from the stream; for SetRecordManagerEntry.
int16_t AnswerCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                   void* keyBuffer, uint8_t keyLength, int8_t keyNumber);

// Appends to `stream` the answer that makes AnswerCall repeat a call that
// returned `status`, `dataBytes` bytes of data and `keyBytes` of key.
// REQUIRES: status is not kRepeatMarker.
void AppendAnswer(std::string* stream, uint16_t operation, int16_t status, const void* data, size_t dataBytes,
                  const void* key, size_t keyBytes);

}  // namespace fuzzsupport

#endif  // TESTS_FUZZ_ANSWER_STREAM_H
