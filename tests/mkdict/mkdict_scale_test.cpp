// Descriptions at the sizes the report must handle, and names, locations
// and passwords at their full widths: they build, and everything is there.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "file_dump.h"
#include "mkdict_run.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "recmgr_reader.h"

namespace mkdicttest {
namespace {

using testsupport::TempDir;

std::string Numbered(const char* prefix, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%04d", prefix, number);
  return name;
}

std::vector<std::string> Records(const std::string& path, int key,
                                 const std::string& owner = kDefaultOwnerName) {
  std::vector<std::string> records;
  EXPECT_EQ(ReadRecords(path, owner, key, &records), 0) << path;
  return records;
}

// Without data files: each data file costs the engine a flush to disk, and
// the table list needs only the dictionary. Every hundredth table has one.
TEST(Scale, TwoThousandAndFiveTables) {
  std::string ddl;
  for (int i = 2005; i >= 1; --i) {
    ddl += "CREATE TABLE " + Numbered("T", i) + (i % 100 == 5 ? "" : " NO FILE") + " (Id INTEGER);\n";
  }
  TempDir dir;
  auto run = RunMkdict(dir, ddl);
  ASSERT_EQ(run.err, "");
  auto tables = Records(dir / "out/PVFILE.DDF", 1);
  ASSERT_EQ(tables.size(), 2005u);
  EXPECT_EQ(tables.front().substr(4, 5), "T0001");
  EXPECT_EQ(tables.back().substr(4, 5), "T2005");
  EXPECT_EQ(Records(dir / "out/PVFIELD.DDF", 1).size(), 2005u);
  EXPECT_EQ(DumpDataFile(dir / "out/T2005.DAT"),
            "stat records=0 length=4 pagesize=4096 version=0x00 flags=0x0000 keys=0 unused=0\n");
}

TEST(Scale, SixteenHundredColumns) {
  std::string ddl = "CREATE TABLE Wide (";
  for (int i = 1; i <= 1600; ++i) ddl += (i > 1 ? ", " : "") + Numbered("C", i) + " INTEGER";
  ddl += ");\nINSERT INTO Wide (C1600) VALUES (7);\n";
  TempDir dir;
  auto run = RunMkdict(dir, ddl);
  ASSERT_EQ(run.err, "");
  auto fields = Records(dir / "out/PVFIELD.DDF", 4);
  ASSERT_EQ(fields.size(), 1600u);
  EXPECT_EQ(fields.back().substr(8, 5), "C1600");
  EXPECT_EQ(Hex(fields.back().substr(137, 4)), "fc180000");  // offset 6396
  EXPECT_EQ(DumpDataFile(dir / "out/Wide.DAT").substr(0, 32), "stat records=1 length=6400 pages");
}

TEST(Scale, FourHundredThirtyIndexSegments) {
  std::string ddl = "CREATE TABLE Keys (";
  for (int i = 1; i <= 5; ++i) ddl += (i > 1 ? ", " : "") + Numbered("C", i) + " INTEGER";
  ddl += ");\n";
  for (int i = 0; i < 86; ++i) {
    ddl += "CREATE INDEX " + Numbered("K", i) + " ON Keys (C0001, C0002, C0003 DESC, C0004, C0005);\n";
  }
  ddl += "INSERT INTO Keys VALUES (1, 2, 3, 4, 5), (1, 2, 3, 4, 6);\n";
  TempDir dir;
  auto run = RunMkdict(dir, ddl);
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(Records(dir / "out/PVINDEX.DDF", 2).size(), 430u);
  std::string stat;
  ASSERT_EQ(StatFile(dir / "out/Keys.DAT", "", &stat), 0);
  EXPECT_EQ(stat.size(), 16u + 16u * 430u);
}

TEST(Scale, NamesLocationsAndPasswordsAtFullWidth) {
  const std::string table(128, 'T');
  const std::string column = std::string(127, 'C') + "^";
  const std::string index = "\"" + std::string(127, ' ') + "I\"";
  const std::string location =
      std::string(100, 'a') + "/" + std::string(100, 'b') + "/" + std::string(44, 'c') + ".DAT";
  const std::string password(51, 'P');
  TempDir dir;
  auto run =
      RunMkdict(dir, "SET MASTER PASSWORD '" + password + "';\nCREATE TABLE " + table + " IN '" + location +
                         "' OWNER '" + password + "' (" + column + " INTEGER);\nCREATE INDEX " + index +
                         " ON " + table + " (" + column + ");\n");
  ASSERT_EQ(run.err, "");
  ASSERT_EQ(location.size(), 250u);
  EXPECT_EQ(DumpDictionary(dir / "out", password),
            "file id=1 name=\"" + table + "\" location=\"" + location +
                "\" flags=0x00000000\n"
                "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"" +
                column + "\"\nfield id=2 table=1 type=255 offset=0 size=0 dec=0 flags=0x00000000 name=\"" +
                std::string(127, ' ') +
                "I\"\n"
                "index table=1 field=1 number=0 segment=0 flags=0x00000001\n");
  // The path from here is longer than a record-manager key holds; the report
  // opens it relative to the dictionary's folder.
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "out/" + location));
}

// Rows of a table T (Id unique, Name with many repeats, Code descending),
// one row a line from line 3 on, the indexes declared after the rows.
std::string ManyRows(int rows, const std::string& extraRows = "") {
  std::string ddl = "CREATE TABLE T (Id INTEGER, Name CHAR(6), Code INTEGER(2));\nINSERT INTO T VALUES\n";
  for (int i = 0; i < rows; ++i) {
    ddl += "(" + std::to_string((i * 7919) % rows) + ", 'n" + std::to_string(i % 37) + "', " +
           std::to_string(i % 5) + (i + 1 < rows ? "),\n" : ")");
  }
  ddl += extraRows + ";\nCREATE UNIQUE INDEX K ON T (Id);\n";
  return ddl + "CREATE INDEX ByName ON T (Name CASE INSENSITIVE, Code DESC);\n";
}

// MKDICT_SORT_MEMORY of 2,000 bytes sorts about 150 key values at a time:
// 3,000 rows make twenty runs to merge.
const std::map<std::string, std::string> kSmallSortMemory = {{"MKDICT_SORT_MEMORY", "2000"}};

TEST(Scale, SortRunsMergeToTheBytesOfOneSort) {
  TempDir dir;
  ASSERT_EQ(RunMkdict(dir, ManyRows(3000)).err, "");
  const std::string inMemory = testsupport::ReadFile(dir / "out/T.DAT");
  std::filesystem::remove_all(dir / "out");
  auto run = RunMkdict(dir, ManyRows(3000), {"in.ddl", "-o", "out"}, kSmallSortMemory);
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(testsupport::ReadFile(dir / "out/T.DAT"), inMemory);
  EXPECT_EQ(DumpDataFile(dir / "out/T.DAT"),
            "stat records=3000 length=12 pagesize=4096 version=0x00 flags=0x0000 keys=2 unused=0\n"
            "  key 0 pos=1 len=4 flags=0x0100 unique=3000\n"
            "  key 1 pos=5 len=6 flags=0x0411 unique=185\n"
            "  key 1 pos=11 len=2 flags=0x0141 unique=185\n");
}

TEST(Scale, DuplicateFoundAcrossSortRuns) {
  TempDir dir;
  // Rows 2,999 (line 3,002) and 3,000 repeat the Ids of rows 2,500 and 1: the
  // clash named is the one whose second row comes first.
  auto run = RunMkdict(dir, ManyRows(2999, ",\n(1101, 'x', 0),\n(1921, 'y', 0)"), {"in.ddl", "-o", "out"},
                       kSmallSortMemory);
  EXPECT_EQ(run.err,
            "in.ddl:3002:1: duplicate key in unique index K of table T: same as row 2501 of the statement at "
            "line 2\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

}  // namespace
}  // namespace mkdicttest
