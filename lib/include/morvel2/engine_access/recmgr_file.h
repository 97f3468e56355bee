// One file opened through the record manager's call entry, with a position
// block of its own: the call path of the tools that read whole files and
// keep several open at once. Statuses come back as the entry gave them;
// nothing is printed.
#ifndef MORVEL2_ENGINE_ACCESS_RECMGR_FILE_H
#define MORVEL2_ENGINE_ACCESS_RECMGR_FILE_H

#include <cstdint>
#include <string>

#include "morvel2/engine_access/request_slot.h"
#include "morvel2/engine_access/statistics_record.h"
#include "recmgr/recmgr.h"

class RecmgrFile {
 public:
  RecmgrFile() = default;
  ~RecmgrFile() { Close(); }
  RecmgrFile(const RecmgrFile&) = delete;
  RecmgrFile& operator=(const RecmgrFile&) = delete;

  // Opens `path` offering `ownerName` (empty: none). A path the key buffer
  // can't hold gives RECMGR_STATUS_INVALID_FILE_NAME without a call.
  int Open(const std::string& path, const std::string& ownerName);
  // Ends the position, if any.
  void Close();
  bool IsOpen() const { return open_; }

  // Reads the first record in the order of key `keyNumber`, then the next
  // ones, into `record` (`capacity` bytes); *length gets the record's length.
  int GetFirst(int keyNumber, void* record, uint32_t capacity, uint32_t* length);
  int GetNext(void* record, uint32_t capacity, uint32_t* length);
  // Reads the first record whose key `keyNumber` is at least `key`.
  int GetGreaterOrEqual(int keyNumber, const void* key, size_t keySize, void* record, uint32_t capacity,
                        uint32_t* length);
  // Fills `statistics` (cleared first).
  int Stat(StatisticsRecord* statistics);

 private:
  int Call(uint16_t operation, void* data, uint32_t* length, int keyNumber);

  unsigned char position_[RECMGR_POSITION_BLOCK_SIZE] = {};
  unsigned char key_[kKeyBufferSize] = {};
  int keyNumber_ = 0;  // of the last Get First: Get Next names it again
  bool open_ = false;
};

// The status in words, for messages: "file not found", "owner name refused".
const char* RecmgrStatusWords(int status);

#endif  // MORVEL2_ENGINE_ACCESS_RECMGR_FILE_H
