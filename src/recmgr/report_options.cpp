#include "morvel2/recmgr/report_options.h"

ReportOptions gReportOptions;

void ResetReportOptions() {
  gReportOptions = ReportOptions{};
  gReportOptions.showPosition = 1;
}
