#include "throwaway_cluster.h"

#include <unistd.h>

#include <filesystem>

namespace dictdumptest {

using testsupport::ProcessResult;
using testsupport::RunProcess;

ThrowawayCluster::ThrowawayCluster(const testsupport::TempDir& dir) : folder_(dir / "pg") {
  std::filesystem::create_directory(folder_);
  if (getuid() == 0) {
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all |
                                                 std::filesystem::perms::group_exec |
                                                 std::filesystem::perms::others_exec);
    RunProcess({"/usr/bin/chown", "postgres:", folder_});
    asPostgres_ = {"/usr/sbin/runuser", "-u", "postgres", "--"};
  }
  ProcessResult init = Server({Binary("initdb"), "-D", folder_ + "/data", "-U", "postgres", "--auth=trust",
                               "-E", "UTF8", "--no-locale"});
  if (init.exitCode != 0) {
    problem_ = "initdb: " + init.err;
    return;
  }
  ProcessResult start = Server({Binary("pg_ctl"), "-D", folder_ + "/data", "-l", folder_ + "/log", "-w", "-o",
                                "-c listen_addresses='' -k " + folder_, "start"});
  if (start.exitCode != 0) {
    problem_ = "pg_ctl start: " + start.err + testsupport::ReadFile(folder_ + "/log");
    return;
  }
  running_ = true;
}

ThrowawayCluster::~ThrowawayCluster() {
  if (running_) Server({Binary("pg_ctl"), "-D", folder_ + "/data", "-m", "immediate", "-w", "stop"});
}

ProcessResult ThrowawayCluster::Psql(const std::string& database,
                                     const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv = {Binary("psql"),    "-X", "-q",    "-h", folder_, "-U", "postgres", "-v",
                                   "ON_ERROR_STOP=1", "-d", database};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunProcess(argv);
}

std::string ThrowawayCluster::BinaryFolder() {
  std::string newest;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error))
    if (std::filesystem::exists(entry.path() / "bin/initdb") && entry.path().string() > newest)
      newest = entry.path().string();
  return newest.empty() ? "" : newest + "/bin";
}

ProcessResult ThrowawayCluster::Server(std::vector<std::string> argv) const {
  argv.insert(argv.begin(), asPostgres_.begin(), asPostgres_.end());
  return RunProcess(argv);
}

}  // namespace dictdumptest
