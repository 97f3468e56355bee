#include <unistd.h>

#include <cstdio>

#include "cli/run_report.h"
#include "morvel2/common/program_output.h"
#include "run_context.h"

int main(int argc, char** argv) {
  // The whole state of the run; RunReport gives every part its start value.
  RunContext run;
  // A report is written in large pieces unless someone is watching it. The
  // buffer lives as long as standard output is open: FinishStandardOutput
  // closes it before `run` goes, and an exit during the run flushes it while
  // main's frame still holds `run`.
  if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, run.outputBuffer, _IOFBF, sizeof run.outputBuffer);
  // A report that did not reach standard output whole is a failure too.
  return FinishStandardOutput("morvel2", RunReport(&run, argc, argv));
}
