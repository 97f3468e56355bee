// One dump from start to end: the dictionary read, the tables chosen, each
// written with its rows by the chosen format.
#ifndef DICTDUMP_RUN_DUMP_H
#define DICTDUMP_RUN_DUMP_H

#include "options.h"

namespace dictdump {

// Returns the exit code: 0, or 1 when something could not be read or
// written (each named on standard error).
int RunDump(const Options& options);

}  // namespace dictdump

#endif  // DICTDUMP_RUN_DUMP_H
