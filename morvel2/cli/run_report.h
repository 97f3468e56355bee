// The program's run: check and parse the command line, log in, report one
// table or every table, log out.
#ifndef MORVEL2_CLI_RUN_REPORT_H
#define MORVEL2_CLI_RUN_REPORT_H

struct RunContext;

// Runs the report with `run` as its whole state; sets every part of it to
// its start value first. Returns the exit code. Ends the program itself on
// a fatal condition.
int RunReport(RunContext* run, int argc, char** argv);

#endif  // MORVEL2_CLI_RUN_REPORT_H
