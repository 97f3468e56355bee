#include "mkdict_run.h"

#include <cstdio>

namespace testsupport {
namespace {

// The one place a test runs mkdict on a description: writes `ddl` to
// `description`, then runs mkdict with `arguments`.
ProcessResult MkdictOn(const std::string& description, const std::string& ddl,
                       const std::vector<std::string>& arguments, const ProcessOptions& options = {}) {
  WriteFile(description, ddl);
  std::vector<std::string> argv = {MKDICT_BIN};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunProcess(argv, options);
}

}  // namespace

ProcessResult BuildDictionary(const std::string& folder, const std::string& ddl,
                              const std::vector<std::string>& extraArgs) {
  const std::string description = folder + ".ddl";
  std::vector<std::string> arguments{description, "-o", folder};
  arguments.insert(arguments.end(), extraArgs.begin(), extraArgs.end());
  ProcessResult result = MkdictOn(description, ddl, arguments);
  std::remove(description.c_str());
  return result;
}

}  // namespace testsupport

namespace mkdicttest {

testsupport::ProcessResult RunMkdict(const testsupport::TempDir& dir, const std::string& ddl,
                                     const std::vector<std::string>& arguments,
                                     const std::map<std::string, std::string>& environment) {
  testsupport::ProcessOptions options;
  options.workingDirectory = dir.str();
  options.setEnv = environment;
  return testsupport::MkdictOn(dir / "in.ddl", ddl, arguments, options);
}

}  // namespace mkdicttest
