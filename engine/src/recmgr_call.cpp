// The exported call entry: dispatches on the operation code under one
// engine-wide lock, so calls from several threads are serialised. No C++
// exception crosses the C boundary.
#include <mutex>
#include <new>
#if __has_include(<sys/single_threaded.h>)
#include <sys/single_threaded.h>
#define RECMGR_KNOWS_SINGLE_THREADED 1
#endif

#include "engine_state.h"
#include "operations.h"
#include "recmgr/recmgr.h"

namespace {

// While the process has a single thread no other call can run beside this
// one, and only this thread could start another, which it does not do inside
// a call; so the lock is taken once the C library says threads exist. A
// report makes hundreds of thousands of calls from one thread.
bool OtherThreadsMayCall() {
#ifdef RECMGR_KNOWS_SINGLE_THREADED
  return __libc_single_threaded == 0;
#else
  return true;
#endif
}

// Every operation but the Gets, which allocate nothing and cannot throw.
int16_t DispatchOther(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                      void* keyBuffer, uint8_t keyLength) {
  try {
    switch (operation) {
      case RECMGR_OP_OPEN: return recmgr::OpenOperation(positionBlock, dataBuffer, keyBuffer, keyLength);
      case RECMGR_OP_CLOSE: return recmgr::CloseOperation(positionBlock);
      case RECMGR_OP_STEP_FIRST:
      case RECMGR_OP_STEP_NEXT:
        return recmgr::StepOperation(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength);
      case RECMGR_OP_STAT:
        return recmgr::StatOperation(positionBlock, dataBuffer, dataLength, keyBuffer, keyLength);
      case RECMGR_OP_VERIFY: return recmgr::VerifyOperation(positionBlock, dataBuffer, dataLength);
      default: return RECMGR_STATUS_INVALID_OPERATION;
    }
  } catch (...) {  // std::bad_alloc while opening
    return RECMGR_STATUS_IO_ERROR;
  }
}

inline int16_t Dispatch(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                        void* keyBuffer, uint8_t keyLength, int8_t keyNumber) {
  switch (operation) {
    case RECMGR_OP_GET_NEXT:
    case RECMGR_OP_GET_EQUAL:
    case RECMGR_OP_GET_GREATER_OR_EQUAL:
    case RECMGR_OP_GET_FIRST:
      return recmgr::GetOperation(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength,
                                  keyNumber);
    default: return DispatchOther(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength);
  }
}

[[gnu::noinline]] int16_t DispatchLocked(uint16_t operation, void* positionBlock, void* dataBuffer,
                                         uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                                         int8_t keyNumber) {
  try {
    const std::lock_guard<std::mutex> guard(recmgr::Engine().callLock);
    return Dispatch(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
  } catch (...) {  // a failed lock
    return RECMGR_STATUS_IO_ERROR;
  }
}

}  // namespace

// A report makes hundreds of thousands of calls, nearly all of them Gets:
// their path is a test, a switch and a jump.
extern "C" RECMGR_EXPORT int16_t RecmgrCall(uint16_t operation, void* positionBlock, void* dataBuffer,
                                            uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                                            int8_t keyNumber) {
  if (OtherThreadsMayCall())
    return DispatchLocked(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
  return Dispatch(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
}
