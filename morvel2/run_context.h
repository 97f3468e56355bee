// Everything one run of the report works with: the options, master password
// and table name of its command line, the request slots, the buffers the
// slots point at, the table list, the per-run table information, whether a
// failure was reported and standard output's buffer. main creates it and
// hands it, as first argument, down to the record-manager call; nothing of
// a run lives anywhere else.
#ifndef MORVEL2_RUN_CONTEXT_H
#define MORVEL2_RUN_CONTEXT_H

#include "cli/report_options.h"
#include "dictionary/dictionary_files.h"
#include "dictionary/table_lookup.h"
#include "morvel2/engine_access/statistics_record.h"
#include "report/index_listing_buffers.h"
#include "slots/data_file_statistics.h"
#include "slots/request_slot.h"

struct RunContext {
  ReportOptions options;
  // Used as the dictionaries' owner name; the login puts the default owner
  // name here when it is empty.
  char masterPassword[kMasterPasswordLength + 1];
  // The table name argument, at most 128 characters.
  char tableName[kNameWidth + 1];
  SlotTable slots;
  DataFileBuffers dataFile;
  DictionaryBuffers dictionary;
  IndexListingBuffers indexListing;
  TableList tables;
  // Reused for every table of the run.
  TableInfo tableInfo;
  StatisticsRecord statistics;
  // Set by every failure message of the run (PrintFailure); read once, for
  // the exit code.
  bool failureReported;
  // Standard output's buffer while it is not a terminal (main). Not part of
  // the run's start values.
  char outputBuffer[1 << 16];
};

#endif  // MORVEL2_RUN_CONTEXT_H
