#include "morvel2/engine_access/recmgr_file.h"

#include <cstring>

#include "morvel2/engine_access/recmgr_loader.h"

int RecmgrFile::Call(uint16_t operation, void* data, uint32_t* length, int keyNumber) {
  return CallRecordManager(operation, position_, data, length, key_, kKeyLength,
                           static_cast<int8_t>(keyNumber));
}

int RecmgrFile::Open(const std::string& path, const std::string& ownerName) {
  Close();
  if (path.empty() || path.size() >= kKeyLength || path.find('\0') != std::string::npos)
    return RECMGR_STATUS_INVALID_FILE_NAME;
  std::memset(key_, 0, sizeof key_);
  std::memcpy(key_, path.data(), path.size());
  std::string owner = ownerName;  // the entry reads it up to its terminator
  uint32_t length = static_cast<uint32_t>(owner.size() + 1);
  const int status = Call(RECMGR_OP_OPEN, owner.data(), &length, 0);
  open_ = status == RECMGR_STATUS_SUCCESS;
  return status;
}

void RecmgrFile::Close() {
  if (!open_) return;
  uint32_t length = 0;
  Call(RECMGR_OP_CLOSE, nullptr, &length, 0);
  open_ = false;
}

int RecmgrFile::GetFirst(int keyNumber, void* record, uint32_t capacity, uint32_t* length) {
  *length = capacity;
  keyNumber_ = keyNumber;
  return Call(RECMGR_OP_GET_FIRST, record, length, keyNumber);
}

int RecmgrFile::GetGreaterOrEqual(int keyNumber, const void* key, size_t keySize, void* record,
                                  uint32_t capacity, uint32_t* length) {
  std::memset(key_, 0, sizeof key_);
  std::memcpy(key_, key, keySize < sizeof key_ ? keySize : sizeof key_);
  *length = capacity;
  keyNumber_ = keyNumber;
  return Call(RECMGR_OP_GET_GREATER_OR_EQUAL, record, length, keyNumber);
}

int RecmgrFile::GetNext(void* record, uint32_t capacity, uint32_t* length) {
  *length = capacity;
  return Call(RECMGR_OP_GET_NEXT, record, length, keyNumber_);
}

int RecmgrFile::Stat(StatisticsRecord* statistics) {
  std::memset(statistics->bytes, 0, sizeof statistics->bytes);
  uint32_t length = sizeof statistics->bytes;
  return Call(RECMGR_OP_STAT, statistics->bytes, &length, -1);
}

const char* RecmgrStatusWords(int status) {
  switch (status) {
    case RECMGR_STATUS_SUCCESS: return "success";
    case RECMGR_STATUS_INVALID_OPERATION: return "operation refused by the record manager";
    case RECMGR_STATUS_IO_ERROR: return "read error or damaged file";
    case RECMGR_STATUS_FILE_NOT_OPEN: return "file not open";
    case RECMGR_STATUS_KEY_NOT_FOUND: return "key not found";
    case RECMGR_STATUS_DUPLICATE_KEY: return "duplicate key";
    case RECMGR_STATUS_INVALID_KEY_NUMBER: return "no such key";
    case RECMGR_STATUS_DIFFERENT_KEY_NUMBER: return "different key number";
    case RECMGR_STATUS_INVALID_POSITIONING: return "lost position";
    case RECMGR_STATUS_END_OF_FILE: return "end of file";
    case RECMGR_STATUS_INVALID_FILE_NAME: return "invalid file name";
    case RECMGR_STATUS_FILE_NOT_FOUND: return "file not found";
    case RECMGR_STATUS_NOT_LOADED: return "record manager library librecmgr.so could not be loaded";
    case RECMGR_STATUS_KEY_BUFFER_TOO_SHORT: return "key buffer too short";
    case RECMGR_STATUS_DATA_BUFFER_TOO_SHORT: return "record longer than the buffer";
    case RECMGR_STATUS_NOT_A_RECMGR_FILE: return "not a file of this record manager";
    case RECMGR_STATUS_ACCESS_DENIED: return "access denied";
    case RECMGR_STATUS_INVALID_OWNER_NAME: return "owner name refused";
    default: return "unknown record manager status";
  }
}
