// Descriptions at the sizes the report must handle, and names, locations
// and passwords at their full widths: they build, and everything is there.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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

}  // namespace
}  // namespace mkdicttest
