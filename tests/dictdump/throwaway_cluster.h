// A PostgreSQL cluster in a temporary folder, for the tests that load
// dumps into a real server.
#ifndef TESTS_DICTDUMP_THROWAWAY_CLUSTER_H
#define TESTS_DICTDUMP_THROWAWAY_CLUSTER_H

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"
#include "temp_dir.h"

namespace dictdumptest {

// A PostgreSQL cluster in a temporary folder, reached only by its Unix
// socket there, stopped when the test ends. The server refuses to run as
// root, so as root it runs as the postgres user.
class ThrowawayCluster {
 public:
  explicit ThrowawayCluster(const testsupport::TempDir& dir) : folder_(dir / "pg") {
    std::filesystem::create_directory(folder_);
    if (getuid() == 0) {
      std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all |
                                                   std::filesystem::perms::group_exec |
                                                   std::filesystem::perms::others_exec);
      testsupport::RunProcess({"/usr/bin/chown", "postgres:", folder_});
      asPostgres_ = {"/usr/sbin/runuser", "-u", "postgres", "--"};
    }
    testsupport::ProcessResult init = Server({Binary("initdb"), "-D", folder_ + "/data", "-U", "postgres",
                                              "--auth=trust", "-E", "UTF8", "--no-locale"});
    if (init.exitCode != 0) {
      problem_ = "initdb: " + init.err;
      return;
    }
    testsupport::ProcessResult start =
        Server({Binary("pg_ctl"), "-D", folder_ + "/data", "-l", folder_ + "/log", "-w", "-o",
                "-c listen_addresses='' -k " + folder_, "start"});
    if (start.exitCode != 0) {
      problem_ = "pg_ctl start: " + start.err + testsupport::ReadFile(folder_ + "/log");
      return;
    }
    running_ = true;
  }
  ~ThrowawayCluster() {
    if (running_) Server({Binary("pg_ctl"), "-D", folder_ + "/data", "-m", "immediate", "-w", "stop"});
  }
  ThrowawayCluster(const ThrowawayCluster&) = delete;
  ThrowawayCluster& operator=(const ThrowawayCluster&) = delete;

  const std::string& problem() const { return problem_; }

  testsupport::ProcessResult Psql(const std::string& database,
                                  const std::vector<std::string>& arguments) const {
    std::vector<std::string> argv = {Binary("psql"),    "-X", "-q",    "-h", folder_, "-U", "postgres", "-v",
                                     "ON_ERROR_STOP=1", "-d", database};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return testsupport::RunProcess(argv);
  }

  // The newest server's programs, or "" when no server is installed.
  static std::string BinaryFolder() {
    std::string newest;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error))
      if (std::filesystem::exists(entry.path() / "bin/initdb") && entry.path().string() > newest)
        newest = entry.path().string();
    return newest.empty() ? "" : newest + "/bin";
  }

 private:
  static std::string Binary(const std::string& name) { return BinaryFolder() + "/" + name; }
  testsupport::ProcessResult Server(std::vector<std::string> argv) const {
    argv.insert(argv.begin(), asPostgres_.begin(), asPostgres_.end());
    return testsupport::RunProcess(argv);
  }

  std::string folder_;
  std::vector<std::string> asPostgres_;
  std::string problem_;
  bool running_ = false;
};

}  // namespace dictdumptest

#endif  // TESTS_DICTDUMP_THROWAWAY_CLUSTER_H
