// Everything the engine keeps from one call to the next, in one object: the
// lock that serialises calls, the registry of open files, the files holding
// a descriptor and the memory of their page caches. A call finds it through
// Engine().
#ifndef RECMGR_SRC_ENGINE_STATE_H
#define RECMGR_SRC_ENGINE_STATE_H

#include <mutex>

#include "handle_registry.h"
#include "page_memory.h"
#include "read_only_file.h"

namespace recmgr {

struct EngineState {
  std::mutex callLock;
  // All REQUIRE callLock held (see recmgr_call.cpp).
  HandleRegistry handles;
  HeldFiles heldFiles;
  PagePool pagePool;
};

// Made while the library is loaded, before any call, and never destroyed:
// a call made while the process exits still finds it.
extern EngineState* const engineState;

inline EngineState& Engine() { return *engineState; }

}  // namespace recmgr

#endif  // RECMGR_SRC_ENGINE_STATE_H
