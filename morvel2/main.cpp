#include <unistd.h>

#include <cstdio>

#include "cli/run_report.h"
#include "morvel2/common/program_output.h"
#include "run_context.h"

int main(int argc, char** argv) {
  // A report is written in large pieces unless someone is watching it. The
  // buffer outlives main: the exit flushes through it.
  static char outputBuffer[1 << 16];
  if (!isatty(STDOUT_FILENO)) std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

  // The whole state of the run; RunReport gives every part its start value.
  RunContext run;
  // A report that did not reach standard output whole is a failure too.
  return FinishStandardOutput("morvel2", RunReport(&run, argc, argv));
}
