// The report settings, fixed by the command line before the dictionary is
// opened.
#ifndef MORVEL2_CLI_REPORT_OPTIONS_H
#define MORVEL2_CLI_REPORT_OPTIONS_H

#include <cstdint>

struct ReportOptions {
  uint32_t trace;               // D: every record-manager call and progress lines
  uint8_t namesOnly;            // N
  uint8_t fileInformation;      // B, A: data-file statistics
  uint8_t fields;               // F, A
  uint8_t indexes;              // I, U, A
  uint8_t includeSystemTables;  // X
  uint8_t showPosition;         // on unless O: 1-based positions, else offsets
  uint8_t constraints;          // C, A: read by nothing
  uint8_t uniqueValues;         // U, A: read by nothing
};

// The start values of a run: everything off but the position display.
inline ReportOptions StartReportOptions() {
  ReportOptions options{};
  options.showPosition = 1;
  return options;
}

#endif  // MORVEL2_CLI_REPORT_OPTIONS_H
