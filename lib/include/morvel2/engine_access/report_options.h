// The call policy of the compatibility slots (request_slot.h), under the
// names dictcheck still uses; goes with them.
#ifndef MORVEL2_ENGINE_ACCESS_REPORT_OPTIONS_H
#define MORVEL2_ENGINE_ACCESS_REPORT_OPTIONS_H

#include <cstdint>

inline namespace dictcheck_compat {

struct CompatCallOptions {
  // Statuses come back without a word, and status 20 does not end the run.
  uint8_t quietCalls;
};

extern CompatCallOptions gReportOptions;

void ResetReportOptions();

}  // namespace dictcheck_compat

#endif  // MORVEL2_ENGINE_ACCESS_REPORT_OPTIONS_H
