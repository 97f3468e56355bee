// The record-manager calls of a whole run, as the trace shows them: every
// operation with its data length, key number and status, and the progress
// lines between them, for one table with two fields and a named index.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

// Zeta follows Parts in every key, so each scan of Parts ends on a record
// of another table rather than at the end of the file.
constexpr const char* kTables = R"(
CREATE TABLE Parts (Code CHAR(8) CASE INSENSITIVE, Weight INTEGER);
CREATE UNIQUE INDEX ByCode ON Parts (Code CASE SENSITIVE);
INSERT INTO Parts VALUES ('Bolt', 3), ('Nut', 1);
CREATE TABLE Zeta NO FILE (Z INTEGER);
CREATE INDEX ON Zeta (Z);
)";

class CallSequenceTest : public ::testing::TestWithParam<const char*> {};

// C and U change nothing the report does, so /bad (B, all of A and the
// trace) issues the same calls as /bfid.
TEST_P(CallSequenceTest, MatchesTheExpectedCalls) {
  TempDir folder;
  ASSERT_EQ(BuildDictionary(folder.str(), kTables).exitCode, 0);
  const ProcessResult result = RunMorvel2(folder.str(), {"Parts", GetParam()});
  const std::string expected = ReadGolden("t1_call_sequence.out");
  const std::string actual = MaskDate(result.out);

  const std::vector<std::string> expectedLines = SplitLines(expected), actualLines = SplitLines(actual);
  const size_t common = std::min(expectedLines.size(), actualLines.size());
  for (size_t i = 0; i < common; ++i) EXPECT_EQ(actualLines[i], expectedLines[i]) << "line " << i + 1;
  EXPECT_EQ(actualLines.size(), expectedLines.size());
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Spellings, CallSequenceTest,
                         ::testing::Values("/bfid", "/ad", "/bad", "-DAB", "/IDFB"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string name;
                           for (const char* c = info.param; *c != '\0'; ++c)
                             name += (*c == '/') ? "Slash" : (*c == '-') ? "Dash" : std::string(1, *c);
                           return name;
                         });

}  // namespace
}  // namespace testsupport
