// The record-manager calls of a whole run, as the trace shows them: every
// operation with its data length, key number and status, and the progress
// lines between them, for one table with two fields and a named index.
#include "report_runner.h"

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

// C and U change nothing the report does, so /bad (B, all of A and the
// trace) issues the same calls as /bfid.
ReportCase Spelling(const char* name, const char* options) {
  return {{name}, kTables, {"Parts", options}, "golden:t1_call_sequence.out"};
}

INSTANTIATE_TEST_SUITE_P(Spellings, ReportTest,
                         ::testing::Values(Spelling("Slashbfid", "/bfid"), Spelling("Slashad", "/ad"),
                                           Spelling("Slashbad", "/bad"), Spelling("DashDAB", "-DAB"),
                                           Spelling("SlashIDFB", "/IDFB")),
                         CaseName());

}  // namespace
}  // namespace testsupport
