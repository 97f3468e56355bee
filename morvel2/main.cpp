#include "cli/run_report.h"
#include "morvel2/common/program_output.h"

// A report that did not reach standard output whole is a failure too.
int main(int argc, char** argv) { return FinishStandardOutput("morvel2", RunReport(argc, argv)); }
