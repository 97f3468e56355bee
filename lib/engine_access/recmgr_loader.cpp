#include "morvel2/engine_access/recmgr_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string>

namespace {

// The one program-wide state of the family's programs: the entry, once the
// library was looked for.
struct LoadedEntry {
  RecmgrCallFunction entry;
  bool tried;
};
LoadedEntry gLoaded = {nullptr, false};

// The library beside the executable, then in ../lib: the folders of its run
// path. The loader applies the run path only to calls made from the
// executable itself; in the sanitizer build dlopen is called from the
// sanitizer runtime, so the run path is never looked at there.
void* OpenBesideExecutable() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return nullptr;
  std::string folder(path, static_cast<size_t>(length));
  folder.erase(folder.rfind('/') + 1);
  void* library = dlopen((folder + RECMGR_LIBRARY_NAME).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr)
    library = dlopen((folder + "../lib/" RECMGR_LIBRARY_NAME).c_str(), RTLD_NOW | RTLD_LOCAL);
  return library;
}

void LoadRecordManager() {
  gLoaded.tried = true;
  // Normal search order: LD_LIBRARY_PATH, then the executable's run path
  // (its own folder and ../lib), then the system's folders. The library stays
  // loaded for the whole run.
  void* library = dlopen(RECMGR_LIBRARY_NAME, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) library = OpenBesideExecutable();
  if (library == nullptr) return;
  gLoaded.entry = reinterpret_cast<RecmgrCallFunction>(dlsym(library, RECMGR_ENTRY_NAME));
}

}  // namespace

RecmgrCallFunction RecordManagerEntry() {
  if (gLoaded.entry == nullptr && !gLoaded.tried) LoadRecordManager();
  return gLoaded.entry;
}

int16_t CallRecordManager(uint16_t operation, void* positionBlock, void* dataBuffer, uint32_t* dataLength,
                          void* keyBuffer, uint8_t keyLength, int8_t keyNumber) {
  const RecmgrCallFunction entry = RecordManagerEntry();
  if (entry == nullptr) return RECMGR_STATUS_NOT_LOADED;
  return entry(operation, positionBlock, dataBuffer, dataLength, keyBuffer, keyLength, keyNumber);
}

void SetRecordManagerEntry(RecmgrCallFunction entry) { gLoaded = {entry, true}; }
