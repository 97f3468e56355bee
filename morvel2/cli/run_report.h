// The program's run: check and parse the command line, log in, report one
// table or every table, log out.
#ifndef MORVEL2_CLI_RUN_REPORT_H
#define MORVEL2_CLI_RUN_REPORT_H

struct RunContext;

// Runs the report with `run` as its whole state; sets every part of it to
// its start value first. Returns the exit code: 0, or 1 when the run printed
// anything on standard error but the all-tables banner, or for a wrong
// command line. "--help" or "--version" alone print the usage text or the
// version on standard output and give 0. Ends the program itself on a fatal
// condition. Does not check that standard output was written: the caller
// closes it.
int RunReport(RunContext* run, int argc, char** argv);

#endif  // MORVEL2_CLI_RUN_REPORT_H
