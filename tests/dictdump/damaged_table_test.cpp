// A table whose rows can't all be read never passes for whole: with one
// record page of ORDERS damaged, every format fails the table with one line
// and exit code 1; the SQL loaded into the real sqlite3 and PostgreSQL keeps
// nothing of it (and all of the table beside it); mkdict refuses the
// description. A key entry that points at the wrong record changes nothing:
// rows are read in stored order.
#include <gtest/gtest.h>

#include <string>

#include "byte_order.h"
#include "dictdump_run.h"
#include "page_format.h"
#include "temp_dir.h"
#include "throwaway_cluster.h"

namespace dictdumptest {
namespace {

using testsupport::ProcessResult;
using testsupport::RunProcess;
using testsupport::TempDir;
namespace format = recmgr::format;

constexpr size_t kPage = 4096;
constexpr const char* kSqlite3 = "/usr/bin/sqlite3";
const std::string kFailure = "ORDERS: read 120 of 500 rows: read error or damaged file\n";

std::string Description() {
  std::string ddl =
      "CREATE TABLE ORDERS IN 'ORDERS.DAT' (Id INTEGER(4), Name CHAR(30));\n"
      "CREATE UNIQUE INDEX ON ORDERS (Id);\nINSERT INTO ORDERS VALUES (0, 'n0')";
  for (int i = 1; i < 500; ++i) ddl += ", (" + std::to_string(i) + ", 'n" + std::to_string(i) + "')";
  return ddl + ";\nCREATE TABLE Kept IN 'KEPT.DAT' (A INTEGER(4));\nINSERT INTO Kept VALUES (1), (2), (3);\n";
}

// Changes ORDERS.DAT in `folder` with `change`, then reseals the changed
// page's checksum when `reseal`.
void Damage(const std::string& folder, size_t page, bool reseal, void (*change)(uint8_t* page)) {
  const std::string path = folder + "/ORDERS.DAT";
  std::string bytes = testsupport::ReadFile(path);
  auto* at = reinterpret_cast<uint8_t*>(bytes.data()) + page * kPage;
  change(at);
  if (reseal) format::Store32(at + format::kPageCrc, format::PageCrc(at, kPage));
  testsupport::WriteFile(path, bytes);
}

class DamagedTableTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(BuildDictionary(db_, Description()).exitCode, 0);
    // 120 records of 34 bytes to a record page: page 2 holds records 120 to 239.
    Damage(db_, 2, false, [](uint8_t* page) { page[100] ^= 0x40; });
  }
  ProcessResult DumpSql(const std::string& dialect) {
    const ProcessResult dump = RunDictdump({"-C", db_, "--format", "sql", "--dialect", dialect, "-o", sql_});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_EQ(dump.err, kFailure);
    return dump;
  }

  TempDir dir_;
  const std::string db_ = dir_ / "db";
  const std::string sql_ = dir_ / "dump.sql";
};

TEST_F(DamagedTableTest, EveryFormatFailsTheTable) {
  const struct {
    std::vector<std::string> arguments;
    std::string outHas;
  } cases[] = {
      {{},
       "-- ORDERS: read 120 of 500 rows: read error or damaged file\n"
       "INCOMPLETE DUMP: 1 table was not read whole\n"},
      {{"--format", "json"}, "\"complete\": true},\n {\"name\": \"ORDERS\""},
      {{"--format", "json"}, "\"complete\": false}\n]}\n"},
      {{"--format", "csv", "--table", "ORDERS"}, "\r\n119,n119\r\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {"-C", db_};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const ProcessResult dump = RunDictdump(arguments);
    SCOPED_TRACE(arguments.size() > 2 ? arguments[3] : "mkdict");
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_EQ(dump.err, kFailure);
    EXPECT_NE(dump.out.find(c.outHas), std::string::npos) << dump.out.substr(dump.out.size() - 300);
  }
  const ProcessResult rebuilt = BuildDictionary(dir_ / "again", RunDictdump({"-C", db_}).out);
  EXPECT_NE(rebuilt.exitCode, 0);
  EXPECT_NE(rebuilt.err.find("found 'INCOMPLETE'"), std::string::npos) << rebuilt.err;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "again/PVFILE.DDF"));
}

TEST_F(DamagedTableTest, SqliteKeepsNothingOfIt) {
  DumpSql("sqlite");
  for (const bool bail : {false, true}) {
    const std::string loaded = dir_ / (bail ? "bail.db" : "load.db");
    std::vector<std::string> load = {kSqlite3, loaded, ".read " + sql_};
    if (bail) load.insert(load.begin() + 1, "-bail");
    EXPECT_NE(RunProcess(load).exitCode, 0);
    const ProcessResult tables =
        RunProcess({kSqlite3, loaded, "SELECT group_concat(name) FROM sqlite_master"});
    EXPECT_EQ(tables.out, "Kept\n") << tables.err;  // committed before ORDERS
  }
}

TEST_F(DamagedTableTest, PostgresKeepsNothingOfIt) {
  ASSERT_NE(ThrowawayCluster::BinaryFolder(), "") << "no PostgreSQL server installed";
  DumpSql("postgres");
  ThrowawayCluster cluster(dir_);
  ASSERT_EQ(cluster.problem(), "");
  const ProcessResult load = cluster.Psql("postgres", {"-f", sql_});
  EXPECT_NE(load.exitCode, 0);
  EXPECT_NE(load.err.find("dictdump: " + kFailure.substr(0, kFailure.size() - 1)), std::string::npos)
      << load.err;
  const ProcessResult tables =
      cluster.Psql("postgres", {"-At", "-c", "SELECT count(*) FROM pg_tables WHERE tablename = 'ORDERS'"});
  EXPECT_EQ(tables.out, "0\n") << tables.err;
}

TEST(DamagedKeyTest, AWrongKeyEntryChangesNoRow) {
  TempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(BuildDictionary(db, Description()).exitCode, 0);
  const ProcessResult before = RunDictdump({"-C", db});
  // The key's first index page follows the five record pages: its first
  // entry (Id, then record number) now names the second entry's record.
  Damage(db, 6, true, [](uint8_t* page) {
    ASSERT_EQ(page[format::kPageType], format::kIndexPage);
    format::Store32(page + format::kPageHeaderSize + 4, format::Load32(page + format::kPageHeaderSize + 12));
  });
  const ProcessResult after = RunDictdump({"-C", db});
  EXPECT_EQ(after.exitCode, 0) << after.err;
  EXPECT_EQ(after.out, before.out);
}

}  // namespace
}  // namespace dictdumptest
