// The program-wide report settings, fixed by the command line before the
// dictionary is opened. Every layer reads them, so they live at the lowest.
#ifndef MORVEL2_ENGINE_ACCESS_REPORT_OPTIONS_H
#define MORVEL2_ENGINE_ACCESS_REPORT_OPTIONS_H

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
  uint8_t tableNullable;        // of the table being printed, set by its header
  // For programs that word their own messages: the call policy prints
  // nothing and returns status 20 instead of ending the run, and the login
  // prints no hint. The report never sets it.
  uint8_t quietCalls;
};

extern ReportOptions gReportOptions;

// The start values of a run.
void ResetReportOptions();

#endif  // MORVEL2_ENGINE_ACCESS_REPORT_OPTIONS_H
