// Makes a seed for the report's fuzz target: runs the target's report runs
// over a real dictionary through the real engine, and writes what the
// engine answered, call by call, as the target's input.
//
//   record_report_answers FOLDER TABLE OUTPUT
//
// FOLDER holds the dictionary (the runs take place in it); TABLE is the
// name the single-table runs ask for.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "answer_stream.h"
#include "morvel2/engine_access/recmgr_loader.h"
#include "recmgr/recmgr.h"
#include "report_runs.h"

namespace {

std::string gStream;

int16_t RecordingCall(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                      void* keyBuffer, uint8_t keyLength, int8_t keyNumber) {
  // The key bytes the engine changed are the ones worth keeping.
  unsigned char before[256] = {};
  if (keyBuffer != nullptr) std::memcpy(before, keyBuffer, keyLength);
  const int16_t status =
      RecmgrCall(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
  size_t keyBytes = 0;
  if (keyBuffer != nullptr) {
    const auto* after = static_cast<const unsigned char*>(keyBuffer);
    for (size_t i = keyLength; i > 0; --i) {
      if (after[i - 1] != before[i - 1]) {
        keyBytes = i;
        break;
      }
    }
  }
  const size_t dataBytes = (status == RECMGR_STATUS_SUCCESS && dataLength != nullptr) ? *dataLength : 0;
  fuzzsupport::AppendAnswer(&gStream, operation, status, dataBuffer, dataBytes, keyBuffer, keyBytes);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: record_report_answers FOLDER TABLE OUTPUT\n", stderr);
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
  if (!out || chdir(argv[1]) != 0) {
    std::perror("record_report_answers");
    return 1;
  }
  // The report itself is not wanted, only what the engine answered.
  if (std::freopen("/dev/null", "w", stdout) == nullptr || std::freopen("/dev/null", "w", stderr) == nullptr)
    return 1;
  SetRecordManagerEntry(&RecordingCall);
  gStream = fuzzsupport::ReportInputPrefix(argv[2]);
  fuzzsupport::RunReports(argv[2]);
  out << gStream;
  return out ? 0 : 1;
}
