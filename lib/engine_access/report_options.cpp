#include "morvel2/engine_access/report_options.h"

inline namespace dictcheck_compat {

CompatCallOptions gReportOptions;

void ResetReportOptions() { gReportOptions = CompatCallOptions{}; }

}  // namespace dictcheck_compat
