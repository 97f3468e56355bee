// Runs a program as a child process for end-to-end tests and captures what
// it prints.
#ifndef TESTS_SUPPORT_RUN_PROCESS_H
#define TESTS_SUPPORT_RUN_PROCESS_H

#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ProcessResult {
  std::string out;
  std::string err;
  int exitCode = -1;  // -1 when the child did not exit normally
  int signal = 0;     // the signal that ended the child, if any
  bool timedOut = false;
};

struct ProcessOptions {
  std::string workingDirectory;               // empty: the test's own
  std::map<std::string, std::string> setEnv;  // added or replaced
  std::vector<std::string> unsetEnv;
  int timeoutSeconds = 60;  // the child is killed after it
};

// argv[0] is the program's path.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

}  // namespace testsupport

#endif  // TESTS_SUPPORT_RUN_PROCESS_H
