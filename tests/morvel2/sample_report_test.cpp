// The bundled sample database, sample/shop.ddl, built by mkdict and reported
// whole: what a new user sees first. Standard output (date masked) and
// standard error are kept as golden files.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "named_case.h"
#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

struct SampleCase : NamedCase {
  const char* option;
  const char* golden;  // tests/morvel2/golden/<golden>.out and .err
};

class SampleReportTest : public ::testing::TestWithParam<SampleCase> {
 protected:
  // One build of the sample serves every case.
  static void SetUpTestSuite() {
    folder_ = std::make_unique<TempDir>();
    build_ = BuildDictionary(folder_->str(), ReadFile(std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl"));
  }
  static void TearDownTestSuite() { folder_.reset(); }

  static std::unique_ptr<TempDir> folder_;
  static ProcessResult build_;
};

std::unique_ptr<TempDir> SampleReportTest::folder_;
ProcessResult SampleReportTest::build_;

TEST_P(SampleReportTest, MatchesTheGoldenReport) {
  const SampleCase& c = GetParam();
  ASSERT_EQ(build_.exitCode, 0) << build_.err;
  const ProcessResult result = RunMorvel2(folder_->str(), {"*", c.option});
  EXPECT_EQ(MaskDate(result.out), ReadGolden(std::string(c.golden) + ".out"));
  EXPECT_EQ(result.err, ReadGolden(std::string(c.golden) + ".err"));
  EXPECT_EQ(result.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleReportTest,
                         ::testing::Values(
                             // Under B the skipped system tables are still looked up; their data
                             // files, the dictionary files themselves, open without the owner
                             // name, which guards only changes, so no error line shows.
                             SampleCase{"Everything", "/a", "sample_all"},
                             SampleCase{"OffsetsFieldsAndIndexes", "/ofi", "sample_offsets"},
                             SampleCase{"NamesOnly", "/n", "sample_names"},
                             SampleCase{"SystemTablesHeadersOnly", "/x", "sample_system"}),
                         [](const ::testing::TestParamInfo<SampleCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace testsupport
