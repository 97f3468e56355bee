// A PostgreSQL cluster in a temporary folder, reached only by its Unix
// socket there, stopped when the test ends. The server refuses to run as
// root, so as root it runs as the postgres user.
#ifndef TESTS_DICTDUMP_THROWAWAY_CLUSTER_H
#define TESTS_DICTDUMP_THROWAWAY_CLUSTER_H

#include <string>
#include <vector>

#include "run_process.h"
#include "temp_dir.h"

namespace dictdumptest {

class ThrowawayCluster {
 public:
  explicit ThrowawayCluster(const testsupport::TempDir& dir);
  ~ThrowawayCluster();
  ThrowawayCluster(const ThrowawayCluster&) = delete;
  ThrowawayCluster& operator=(const ThrowawayCluster&) = delete;

  // Empty once the server runs.
  const std::string& problem() const { return problem_; }

  // psql -v ON_ERROR_STOP=1 on `database` with `arguments`.
  testsupport::ProcessResult Psql(const std::string& database,
                                  const std::vector<std::string>& arguments) const;

  // The newest server's programs, or "" when no server is installed.
  static std::string BinaryFolder();

 private:
  static std::string Binary(const std::string& name) { return BinaryFolder() + "/" + name; }
  testsupport::ProcessResult Server(std::vector<std::string> argv) const;

  std::string folder_;
  std::vector<std::string> asPostgres_;
  std::string problem_;
  bool running_ = false;
};

}  // namespace dictdumptest

#endif  // TESTS_DICTDUMP_THROWAWAY_CLUSTER_H
