#include "recmgr/recmgr_loader.h"

#include <dlfcn.h>

namespace {

RecmgrCallFunction gEntry = nullptr;
bool gLoadTried = false;

void LoadRecordManager() {
  gLoadTried = true;
  // Normal search order: LD_LIBRARY_PATH, then the executable's run path
  // (its own folder and ../lib), then the system's folders. The library stays
  // loaded for the whole run.
  void* library = dlopen(RECMGR_LIBRARY_NAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return;
  gEntry = reinterpret_cast<RecmgrCallFunction>(dlsym(library, RECMGR_ENTRY_NAME));
}

}  // namespace

int16_t CallRecordManager(uint16_t operation, void* positionBlock, void* dataBuffer,
                          uint32_t* dataLength, void* keyBuffer, uint8_t keyLength,
                          int8_t keyNumber) {
  if (gEntry == nullptr && !gLoadTried) LoadRecordManager();
  if (gEntry == nullptr) return RECMGR_STATUS_NOT_LOADED;
  return gEntry(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
}

void SetRecordManagerEntry(RecmgrCallFunction entry) {
  gEntry = entry;
  gLoadTried = true;
}
