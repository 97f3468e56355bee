#include "mkdict_run.h"

#include <cstdio>

namespace mkdicttest {

testsupport::ProcessResult RunMkdict(const testsupport::TempDir& dir, const std::string& ddl,
                                     const std::vector<std::string>& arguments,
                                     const std::map<std::string, std::string>& environment) {
  testsupport::WriteFile(dir / "in.ddl", ddl);
  std::vector<std::string> argv = {MKDICT_BIN};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  testsupport::ProcessOptions options;
  options.workingDirectory = dir.str();
  options.setEnv = environment;
  return testsupport::RunProcess(argv, options);
}

}  // namespace mkdicttest

namespace testsupport {

ProcessResult BuildDictionary(const std::string& folder, const std::string& ddl,
                              const std::vector<std::string>& extraArgs) {
  const std::string description = folder + ".ddl";
  WriteFile(description, ddl);
  std::vector<std::string> argv{MKDICT_BIN, description, "-o", folder};
  argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
  ProcessResult result = RunProcess(argv);
  std::remove(description.c_str());
  return result;
}

}  // namespace testsupport
