// dictcheck: finds what the report tool can't show, or shows wrongly, in a
// dictionary and its data files.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "check_run.h"
#include "command_line.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
  dictcheck::CommandLine command;
  std::string problem;
  if (!dictcheck::ParseCommandLine(argc, argv, &command, &problem)) {
    std::fprintf(stderr, "dictcheck: %s (see dictcheck --help)\n", problem.c_str());
    return kExitUsage;
  }
  if (command.help) {
    std::fputs(dictcheck::kUsageText, stdout);
    return 0;
  }
  if (command.version) {
    std::puts("dictcheck " MORVEL2_VERSION);
    return 0;
  }
  if (!command.folder.empty() && chdir(command.folder.c_str()) != 0) {
    std::fprintf(stderr, "dictcheck: %s: %s\n", command.folder.c_str(), std::strerror(errno));
    return kExitFailure;
  }
  const int exitCode = dictcheck::RunCheck(command.password);
  std::fflush(stdout);
  return exitCode;
}
