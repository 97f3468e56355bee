// dictdump | mkdict gives back the same dictionary: the same report, the
// same dump, the same rows. Random descriptions from a fixed set of seeds,
// and the bundled sample.
#include <gtest/gtest.h>

#include "description_generator.h"
#include "dictdump_run.h"
#include "temp_dir.h"

namespace dictdumptest {
namespace {

using testsupport::ProcessResult;
using testsupport::ReadFile;
using testsupport::TempDir;

constexpr uint32_t kSeeds = 24;

void ExpectRoundTrip(const std::string& ddl, const std::string& masterPassword,
                     const std::string& dataPassword) {
  TempDir dir;
  const std::string a = dir / "a";
  const std::string b = dir / "b";
  ProcessResult built = BuildDictionary(a, ddl);
  ASSERT_EQ(built.exitCode, 0) << built.err << ddl;

  std::vector<std::string> owners = {"--data-password", dataPassword};
  if (!masterPassword.empty()) owners.insert(owners.end(), {"--password", masterPassword});
  std::vector<std::string> dumpA = {"-C", a};
  dumpA.insert(dumpA.end(), owners.begin(), owners.end());
  const ProcessResult first = RunDictdump(dumpA);
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.err, "");

  built = BuildDictionary(b, first.out);
  ASSERT_EQ(built.exitCode, 0) << built.err << first.out;
  std::vector<std::string> dumpB = {"-C", b};
  dumpB.insert(dumpB.end(), owners.begin(), owners.end());
  EXPECT_EQ(RunDictdump(dumpB).out, first.out) << ddl;
  EXPECT_EQ(ReportAll(b, masterPassword), ReportAll(a, masterPassword)) << ddl;

  dumpA.push_back("--data-only");
  dumpB.push_back("--data-only");
  EXPECT_EQ(RunDictdump(dumpB).out, RunDictdump(dumpA).out);
}

TEST(DictdumpRoundTrip, RandomDescriptions) {
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const GeneratedDescription description = GenerateDescription(seed);
    ExpectRoundTrip(description.text, description.masterPassword, description.dataPassword);
  }
}

TEST(DictdumpRoundTrip, Sample) {
  ExpectRoundTrip(ReadFile(std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl"), "", "unused");
}

}  // namespace
}  // namespace dictdumptest
