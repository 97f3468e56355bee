// The SQL dump loads: into SQLite with the sqlite3 shell, and into a
// throwaway PostgreSQL cluster with psql -v ON_ERROR_STOP=1; each table
// then holds the rows its data file's Stat counts.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "dictdump_run.h"
#include "temp_dir.h"
#include "throwaway_cluster.h"

namespace dictdumptest {
namespace {

using testsupport::ProcessResult;
using testsupport::RunProcess;
using testsupport::TempDir;

// Table name as SQL sees it, and the rows it must hold.
struct ExpectedTable {
  std::string name;
  int rows;
  std::string postgresName = "";  // when PostgreSQL's cut at 63 bytes met another name
};

// The sample's and the edge cases' tables, system tables included (--system).
const std::vector<ExpectedTable> kSampleTables = {{"X$File", 0},       {"X$Field", 0},      {"X$Index", 0},
                                                  {"Customers", 12},   {"Products", 10},    {"Orders", 15},
                                                  {"Order Items", 21}, {"Order Archive", 0}};
const std::vector<ExpectedTable> kEdgeTables = {
    {"X$File", 0},
    {"People", 4},
    {"A table whose name is long enough to be cut by PostgreSQL at 63 1", 0},
    {"A table whose name is long enough to be cut by PostgreSQL at 63 2", 3,
     "A table whose name is long enough to be cut by PostgreSQL at _2"}};

std::string BuildAndDump(const TempDir& dir, const std::string& ddlPath, const std::string& dialect) {
  const std::string db = dir / "db";
  ProcessResult built = BuildDictionary(db, testsupport::ReadFile(ddlPath));
  EXPECT_EQ(built.exitCode, 0) << built.err;
  const std::string sql = dir / (dialect + ".sql");
  ProcessResult dump =
      RunDictdump({"-C", db, "--format", "sql", "--dialect", dialect, "--system", "-o", sql});
  EXPECT_EQ(dump.exitCode, 0) << dump.err;
  return sql;
}

constexpr const char* kSqlite3 = "/usr/bin/sqlite3";

std::string Source(const std::string& file) { return std::string(TEST_SOURCE_DIR) + "/" + file; }

std::string SqlName(const std::string& name, size_t maxBytes) {
  std::string cut = maxBytes && name.size() > maxBytes ? name.substr(0, maxBytes) : name;
  return "\"" + cut + "\"";
}

TEST(DictdumpSql, LoadsIntoSqlite) {
  for (const auto& [ddl, tables] :
       {std::pair{std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl", kSampleTables},
        std::pair{Source("dictdump/sql_edges.ddl"), kEdgeTables}}) {
    SCOPED_TRACE(ddl);
    TempDir dir;
    const std::string sql = BuildAndDump(dir, ddl, "sqlite");
    const ProcessResult load = RunProcess({kSqlite3, "-bail", dir / "load.db", ".read " + sql});
    ASSERT_EQ(load.exitCode, 0) << load.err;
    for (const ExpectedTable& table : tables) {
      const ProcessResult count =
          RunProcess({kSqlite3, dir / "load.db", "SELECT count(*) FROM " + SqlName(table.name, 0)});
      EXPECT_EQ(count.out, std::to_string(table.rows) + "\n") << table.name << count.err;
    }
  }
}

TEST(DictdumpSql, LoadsIntoPostgres) {
  if (ThrowawayCluster::BinaryFolder().empty()) GTEST_SKIP() << "no PostgreSQL server installed";
  TempDir dir;
  ThrowawayCluster cluster(dir);
  ASSERT_EQ(cluster.problem(), "");
  int database = 0;
  for (const auto& [ddl, tables] :
       {std::pair{std::string(PROJECT_SOURCE_DIR) + "/sample/shop.ddl", kSampleTables},
        std::pair{Source("dictdump/sql_edges.ddl"), kEdgeTables}}) {
    SCOPED_TRACE(ddl);
    TempDir dumpDir;
    const std::string sql = BuildAndDump(dumpDir, ddl, "postgres");
    const std::string name = "load" + std::to_string(++database);
    ASSERT_EQ(cluster.Psql("postgres", {"-c", "CREATE DATABASE " + name}).exitCode, 0);
    const ProcessResult load = cluster.Psql(name, {"-f", sql});
    ASSERT_EQ(load.exitCode, 0) << load.err;
    for (const ExpectedTable& table : tables) {
      const ProcessResult count =
          cluster.Psql(name, {"-At", "-c",
                              "SELECT count(*) FROM " +
                                  SqlName(table.postgresName.empty() ? table.name : table.postgresName, 63)});
      EXPECT_EQ(count.out, std::to_string(table.rows) + "\n") << table.name << count.err;
    }
  }
}

}  // namespace
}  // namespace dictdumptest
