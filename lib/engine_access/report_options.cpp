#include "morvel2/engine_access/report_options.h"

ReportOptions gReportOptions;

void ResetReportOptions() {
  gReportOptions = ReportOptions{};
  gReportOptions.showPosition = 1;
}
