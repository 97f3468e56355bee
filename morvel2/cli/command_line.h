// The command line: argument count, usage text, options, master password
// and table name.
#ifndef MORVEL2_CLI_COMMAND_LINE_H
#define MORVEL2_CLI_COMMAND_LINE_H

#include "morvel2/dictionary/dictionary_records.h"

// The table name argument, at most 128 characters; empty at start.
extern char gTableName[kNameWidth + 1];

// Prints the usage text to standard error.
void PrintUsage();

// Parses the arguments from the last to the first into gReportOptions, the
// master password and the table name; sets *allTables for "*". Returns false
// (after one line on standard error) when the master password is too long.
// Option arguments are lower-cased in place.
bool ParseArguments(int argc, char** argv, bool* allTables);

#endif  // MORVEL2_CLI_COMMAND_LINE_H
