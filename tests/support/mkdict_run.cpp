#include "mkdict_run.h"

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
