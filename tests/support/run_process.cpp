#include "run_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace testsupport {
namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TempPath(const char* stem) {
  char pattern[64];
  std::snprintf(pattern, sizeof pattern, "/tmp/%s-XXXXXX", stem);
  int fd = mkstemp(pattern);
  if (fd >= 0) close(fd);
  return pattern;
}

// Runs in the child between fork and exec: only async-signal-safe calls
// matter in practice for a single-threaded test, but keep it minimal.
[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const ProcessOptions& options,
                            const std::string& outPath, const std::string& errPath) {
  int out = open(outPath.c_str(), O_WRONLY | O_TRUNC);
  int err = open(errPath.c_str(), O_WRONLY | O_TRUNC);
  int in = open("/dev/null", O_RDONLY);
  if (out < 0 || err < 0 || in < 0) _exit(126);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0) _exit(126);
  for (const auto& name : options.unsetEnv) unsetenv(name.c_str());
  for (const auto& [name, value] : options.setEnv) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  ProcessResult result;
  const std::string outPath = TempPath("morvel2-out");
  const std::string errPath = TempPath("morvel2-err");
  pid_t child = fork();
  if (child == 0) ExecChild(argv, options, outPath, errPath);
  if (child < 0) return result;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  int status = 0;
  for (;;) {
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      result.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.out = ReadWhole(outPath);
  result.err = ReadWhole(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return result;
}

}  // namespace testsupport
