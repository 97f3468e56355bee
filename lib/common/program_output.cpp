#include "morvel2/common/program_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

const char* const kMorvel2Version = MORVEL2_VERSION;

void PrintVersion(const char* program) { std::printf("%s %s\n", program, kMorvel2Version); }

int FinishStandardOutput(const char* program, int exitCode) {
  // A write that failed before leaves only the error flag; the flush of what
  // is still buffered usually fails again and gives the reason.
  errno = 0;
  bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  int reason = errno;
  if (std::fclose(stdout) != 0) {
    written = false;
    if (reason == 0) reason = errno;
  }
  if (!written) {
    std::fprintf(stderr, "%s: cannot write standard output: %s\n", program,
                 reason != 0 ? std::strerror(reason) : "write error");
    exitCode = 1;
  }
  std::fflush(stderr);
  return exitCode;
}
