// The command line: argument count, usage text, options, master password
// and table name.
#ifndef MORVEL2_CLI_COMMAND_LINE_H
#define MORVEL2_CLI_COMMAND_LINE_H

#include <cstdio>

struct RunContext;

// Prints the usage text: to standard error after a wrong command line, to
// standard output for --help.
void PrintUsage(std::FILE* stream);

// Parses the arguments from the last to the first into the run's options,
// master password and table name; sets *allTables for "*". Returns false
// (after one line on standard error) when the master password is too long.
// Option arguments are lower-cased in place.
bool ParseArguments(RunContext* run, int argc, char** argv, bool* allTables);

#endif  // MORVEL2_CLI_COMMAND_LINE_H
