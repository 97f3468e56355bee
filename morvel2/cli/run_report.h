// The program's run: check and parse the command line, log in, report one
// table or every table, log out.
#ifndef MORVEL2_CLI_RUN_REPORT_H
#define MORVEL2_CLI_RUN_REPORT_H

// Returns the exit code. Ends the program itself on a fatal condition.
int RunReport(int argc, char** argv);

#endif  // MORVEL2_CLI_RUN_REPORT_H
