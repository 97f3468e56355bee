#include "engine_state.h"

namespace recmgr {

// The engine's only program-wide variable.
EngineState* const engineState = new EngineState;

}  // namespace recmgr
