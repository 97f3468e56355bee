// The JSON and CSV dumps parse back with Python's json and csv modules: the
// tables, fields, indexes and rows are all there, every table holds the
// rows its data file's Stat counts, and a table's CSV is its JSON rows.
#include <gtest/gtest.h>

#include "dictdump_run.h"
#include "temp_dir.h"

namespace dictdumptest {
namespace {

using testsupport::ProcessResult;
using testsupport::TempDir;

// Builds the description, dumps it as JSON and the named tables as CSV, and
// returns what parse_back.py makes of them.
std::string DumpAndParse(const std::string& ddlPath, const std::vector<std::string>& csvTables) {
  TempDir dir;
  const std::string db = dir / "db";
  EXPECT_EQ(BuildDictionary(db, testsupport::ReadFile(ddlPath)).exitCode, 0);
  const std::string json = dir / "dump.json";
  ProcessResult dump = RunDictdump({"-C", db, "--format", "json", "-o", json});
  EXPECT_EQ(dump.exitCode, 0) << dump.err;
  std::vector<std::string> check = {"/usr/bin/python3",
                                    std::string(TEST_SOURCE_DIR) + "/dictdump/parse_back.py", json};
  for (const std::string& table : csvTables) {
    const std::string csv = dir / (table + ".csv");
    dump = RunDictdump({"-C", db, "--format", "csv", "--table", table, "-o", csv});
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    check.push_back(table + "=" + csv);
  }
  const ProcessResult parsed = testsupport::RunProcess(check);
  return parsed.out + parsed.err;
}

TEST(DictdumpJsonCsv, ParseBack) {
  EXPECT_EQ(DumpAndParse(std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl", {"Customers", "Order Items"}),
            "Customers: 8 fields, 3 indexes, 12 rows, 12 records\n"
            "Order Items: 6 fields, 2 indexes, 21 rows, 21 records\n"
            "Orders: 6 fields, 3 indexes, 15 rows, 15 records\n"
            "Order^Archive: 4 fields, 1 indexes, 0 rows, - records\n"
            "Products: 7 fields, 3 indexes, 10 rows, 10 records\n"
            "Customers: CSV matches JSON (12 rows)\n"
            "Order Items: CSV matches JSON (21 rows)\n");
  EXPECT_EQ(
      DumpAndParse(std::string(TEST_SOURCE_DIR) + "/dictdump/sql_edges.ddl", {"People"}),
      "A table whose name is long enough to be cut by PostgreSQL at 63 1: 1 fields, 1 indexes, 0 rows, 0 "
      "records\n"
      "A table whose name is long enough to be cut by PostgreSQL at 63 2: 1 fields, 1 indexes, 3 rows, 3 "
      "records\n"
      "Nothing: 0 fields, 0 indexes, 0 rows, - records\n"
      "People: 7 fields, 3 indexes, 4 rows, 4 records\n"
      "People: CSV matches JSON (4 rows)\n");
}

}  // namespace
}  // namespace dictdumptest
