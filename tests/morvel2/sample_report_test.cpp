// The bundled sample database, sample/shop.ddl, built by mkdict and reported
// whole: what a new user sees first. Standard output (date masked) and
// standard error are kept as golden files.
#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

ReportCase Sample(const char* name, const char* option, const std::string& golden) {
  return {{name},
          ReadFile(std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl"),
          {"*", option},
          "golden:" + golden + ".out",
          "golden:" + golden + ".err"};
}

INSTANTIATE_TEST_SUITE_P(Sample, ReportTest,
                         ::testing::Values(
                             // Under B the skipped system tables are still looked up; their data
                             // files, the dictionary files themselves, open without the owner
                             // name, which guards only changes, so no error line shows.
                             Sample("Everything", "/a", "sample_all"),
                             Sample("OffsetsFieldsAndIndexes", "/ofi", "sample_offsets"),
                             Sample("NamesOnly", "/n", "sample_names"),
                             Sample("SystemTablesHeadersOnly", "/x", "sample_system")),
                         CaseName());

}  // namespace
}  // namespace testsupport
