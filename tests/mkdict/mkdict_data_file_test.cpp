// Data files: the stored attributes, the keys derived from the indexes, the
// rows in the byte form of each column type, and where the files land.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "file_dump.h"
#include "mkdict_run.h"

namespace mkdicttest {
namespace {

using testsupport::TempDir;
namespace fs = std::filesystem;

TEST(DataFile, StoredAttributes) {
  TempDir dir;
  auto run = RunMkdict(dir,
                       "CREATE TABLE A PAGESIZE 1024 VERSION 0x95 VARIABLE RECORD COMPRESSION\n"
                       "  PAGE COMPRESSION (X INTEGER, Y CHAR(3));\n"
                       "CREATE TABLE B RECORD COMPRESSION (X INTEGER);\n"
                       "CREATE TABLE C ();\n");
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDataFile(dir / "out/A.DAT"),
            "stat records=0 length=7 pagesize=1024 version=0x95 flags=0x2009 keys=0 unused=0\n");
  EXPECT_EQ(DumpDataFile(dir / "out/B.DAT"),
            "stat records=0 length=4 pagesize=4096 version=0x00 flags=0x0008 keys=0 unused=0\n");
  EXPECT_EQ(DumpDataFile(dir / "out/C.DAT"),
            "stat records=0 length=1 pagesize=4096 version=0x00 flags=0x0000 keys=0 unused=0\n");
}

TEST(DataFile, KeysComeFromIndexesNumberedUpTo127) {
  TempDir dir;
  auto run = RunMkdict(dir,
                       "CREATE TABLE T (I INTEGER(2), U UNSIGNED(8), S CHAR(4), Z ZSTRING(4), D DATE,\n"
                       "  N TYPE 24(3), L LOGICAL);\n"
                       "CREATE UNIQUE INDEX K0 ON T (I);\n"
                       "CREATE INDEX K1 ON T (S CASE INSENSITIVE DESC, U) MODIFIABLE;\n"
                       "CREATE INDEX K2 ON T (Z, D, N);\n"
                       "CREATE INDEX K5 ON T (S ACS, L) NUMBER 5;\n"
                       "CREATE UNIQUE INDEX Big ON T (L) NUMBER 128;\n"
                       "CREATE UNIQUE INDEX Negative ON T (L) NUMBER -3;\n"
                       "INSERT INTO T VALUES (1, 10, 'abc', 'x', X'01000000', X'010203', 1),\n"
                       "  (2, 10, 'ABC', 'x', X'01000000', X'010203', 0),\n"
                       "  (3, 11, 'abc', 'y', X'02000000', X'010203', 1);\n"
                       "INSERT INTO T VALUES (-1, 10, 'Abd', 'x', X'01000000', X'000000', 1);\n");
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDataFile(dir / "out/T.DAT", 0),
            "stat records=4 length=26 pagesize=4096 version=0x00 flags=0x0000 keys=4 unused=0\n"
            "  key 0 pos=1 len=2 flags=0x0100 unique=4\n"
            "  key 1 pos=11 len=4 flags=0x0451 unique=3\n"
            "  key 1 pos=3 len=8 flags=0x0201 unique=3\n"
            "  key 2 pos=15 len=4 flags=0x0011 unique=3\n"
            "  key 2 pos=19 len=4 flags=0x0011 unique=3\n"
            "  key 2 pos=23 len=3 flags=0x0001 unique=3\n"
            "  key 5 pos=11 len=4 flags=0x0011 unique=3\n"
            "  key 5 pos=26 len=1 flags=0x0201 unique=3\n"
            "record ffff0a00000000000000416264207800000001000000000000"
            "01\n"
            "record 01000a00000000000000616263207800000001000000010203"
            "01\n"
            "record 02000a00000000000000414243207800000001000000010203"
            "00\n"
            "record 03000b00000000000000616263207900000002000000010203"
            "01\n");
}

// The description is read 64 KiB at a time: every kind of token, and the
// two-character openings of comments and hex strings, read the same when
// they straddle the end of a buffer.
TEST(DataFile, TokensAcrossTheReadBuffer) {
  const std::string rows = "INSERT INTO T VALUES('it''s',12.5,X'0102',0x7f)--c\n/**/,('x',-3.25,x'ff',42);";
  const std::string table =
      "CREATE TABLE T (A CHAR(6), B DECIMAL(6,2), C BLOB(2), D INTEGER);\nCREATE INDEX K ON T (D);\n";
  TempDir dir;
  ASSERT_EQ(RunMkdict(dir, table + rows).err, "");
  const std::string expected = DumpDataFile(dir / "out/T.DAT", -1) + DumpDataFile(dir / "out/T.DAT", 0);
  ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 6) << expected;  // stat, key, two records
  const size_t kBuffer = 65536;
  for (size_t start = 0; start + 1 < rows.size(); ++start) {
    // Filler puts rows[start] at the last byte of the first buffer.
    const size_t filler = kBuffer - 1 - start - table.size() - 1;
    const std::string ddl = table + std::string(filler, ' ') + "\n" + rows;
    std::filesystem::remove_all(dir / "out");
    auto run = RunMkdict(dir, ddl);
    ASSERT_EQ(run.err, "") << "straddling at byte " << start;
    EXPECT_EQ(DumpDataFile(dir / "out/T.DAT", -1) + DumpDataFile(dir / "out/T.DAT", 0), expected)
        << "straddling at byte " << start;
  }
}

TEST(DataFile, ValuesInTheByteFormOfEachType) {
  TempDir dir;
  auto run =
      RunMkdict(dir,
                "CREATE TABLE V (I1 INTEGER(1), I2 INTEGER(2), I8 INTEGER(8), U4 UNSIGNED(4),\n"
                "  U8 UNSIGNED(8), A AUTOINC(2), L LOGICAL, C CHAR(5), LS LSTRING(5), ZS ZSTRING(5),\n"
                "  WS WSTRING(6), WZ WZSTRING(6), F4 FLOAT(4), F8 FLOAT(8), D DECIMAL(4,2),\n"
                "  M MONEY(3,1), B BLOB(4), G DATE);\n"
                "CREATE UNIQUE INDEX K ON V (I1);\n"
                "INSERT INTO V VALUES (-128, -2, 9223372036854775807, 4294967295,\n"
                "  18446744073709551615, 0x7ffe, 1, 'ab', 'ab', 'ab', 'a\xc3\xa9', 'ab', 1.5, -2.25e1,\n"
                "  -12.5, 99.9, X'0102', X'DEADBEEF');\n"
                "INSERT INTO V (I8, I1) VALUES (-9223372036854775808, 127);\n");
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDataFile(dir / "out/V.DAT", 0),
            "stat records=2 length=80 pagesize=4096 version=0x00 flags=0x0000 keys=1 unused=0\n"
            "  key 0 pos=1 len=1 flags=0x0100 unique=2\n"
            "record 80"
            "feff"
            "ffffffffffffff7f"
            "ffffffff"
            "ffffffffffffffff"
            "fe7f"
            "01"
            "6162202020"
            "0261620000"
            "6162000000"
            "6100e9002000"
            "610062000000"
            "0000c03f"
            "00000000008036c0"
            "0001250d"
            "00999f"
            "01020000"
            "deadbeef\n"
            "record 7f"
            "0000"
            "0000000000000080"
            "00000000"
            "0000000000000000"
            "ff7f" +  // AUTOINC left out: one more than the highest so far
                std::string(2 * 55, '0') +
                "\n");
}

TEST(DataFile, NumbersFitTheirColumns) {
  TempDir dir;
  auto run = RunMkdict(dir,
                       "CREATE TABLE N (D DECIMAL(2,1), Z DECIMAL(1), F FLOAT(4));\n"
                       "CREATE INDEX K ON N (D);\n"
                       "INSERT INTO N VALUES (99.9, 9, -0.5), (-0.0, -0, 3.25e-1), (1.10, 0, 7);\n");
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDataFile(dir / "out/N.DAT", 0),
            "stat records=3 length=7 pagesize=4096 version=0x00 flags=0x0000 keys=1 unused=0\n"
            "  key 0 pos=1 len=2 flags=0x0001 unique=3\n"
            "record 000f"
            "0f"
            "6666a63e\n"
            "record 011f"
            "0f"
            "0000e040\n"
            "record 999f"
            "9f"
            "000000bf\n");
}

TEST(DataFile, LocationsFoldersOwnersAndTablesWithoutFile) {
  TempDir dir;
  std::string absolute = dir / "elsewhere/ABS.DAT";
  auto run = RunMkdict(dir,
                       "CREATE TABLE A IN 'deep/er/A.DAT' (X INTEGER);\n"
                       "CREATE TABLE B NO FILE (X INTEGER);\n"
                       "CREATE TABLE C IN '" +
                           absolute + "' OWNER 'Keeper' (X INTEGER);\n");
  ASSERT_EQ(run.err, "");
  EXPECT_TRUE(fs::exists(dir / "out/deep/er/A.DAT"));
  EXPECT_FALSE(fs::exists(dir / "out/B.DAT"));
  EXPECT_TRUE(fs::exists(absolute));
  const std::string empty =
      "stat records=0 length=4 pagesize=4096 version=0x00 flags=0x0000 keys=0 unused=0\n";
  EXPECT_EQ(DumpDataFile(dir / "out/deep/er/A.DAT"), empty);
  EXPECT_EQ(DumpDataFile(absolute, -1, "Keeper"), empty);
  EXPECT_EQ(DumpDataFile(absolute, -1, ""), "status 51\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 4)
      << "the three dictionary files and deep/";
}

TEST(DataFile, OwnerNameThatGuardsOnlyChanges) {
  TempDir dir;
  auto run = RunMkdict(dir,
                       "CREATE TABLE C OWNER 'Keeper' GUARDS CHANGES (X INTEGER);\n"
                       "CREATE TABLE A OWNER 'Keeper' GUARDS ALL (X INTEGER);\n");
  ASSERT_EQ(run.err, "");
  const std::string empty =
      "stat records=0 length=4 pagesize=4096 version=0x00 flags=0x0000 keys=0 unused=0\n";
  EXPECT_EQ(DumpDataFile(dir / "out/C.DAT", -1, ""), empty);
  EXPECT_EQ(DumpDataFile(dir / "out/C.DAT", -1, "Keeper"), empty);
  EXPECT_EQ(DumpDataFile(dir / "out/C.DAT", -1, "Thief"), "status 51\n");
  EXPECT_EQ(DumpDataFile(dir / "out/A.DAT", -1, ""), "status 51\n");
}

// AUTOINC 0, NULL or left out is one more than the highest so far; hex is
// taken as written, and hex zeros are a value for a NOT NULL column. A
// segment takes its column's CASE INSENSITIVE unless it says otherwise.
TEST(DataFile, RowRulesAndSegmentCase) {
  TempDir dir;
  auto run = RunMkdict(dir,
                       "CREATE TABLE T (Id AUTOINC, N INTEGER(1) NOT NULL, S CHAR(2) CASE INSENSITIVE);\n"
                       "CREATE UNIQUE INDEX K ON T (Id);\n"
                       "CREATE INDEX ByS ON T (S);\n"
                       "CREATE INDEX ByExactS ON T (S CASE SENSITIVE);\n"
                       "INSERT INTO T VALUES (0, 1, 'a'), (NULL, 2, 'A'), (10, 3, 'b'), (0, 4, 'B');\n"
                       "INSERT INTO T (N) VALUES (5);\n"
                       "INSERT INTO T VALUES (X'00000000', X'00', NULL);\n");
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDataFile(dir / "out/T.DAT", 0),
            "stat records=6 length=7 pagesize=4096 version=0x00 flags=0x0000 keys=3 unused=0\n"
            "  key 0 pos=1 len=4 flags=0x0100 unique=6\n"
            "  key 1 pos=6 len=2 flags=0x0401 unique=3\n"
            "  key 2 pos=6 len=2 flags=0x0001 unique=5\n"
            "record 00000000000000\n"
            "record 01000000016120\n"
            "record 02000000024120\n"
            "record 0a000000036220\n"
            "record 0b000000044220\n"
            "record 0c000000050000\n");
}

TEST(DataFile, DefaultFolderIsTheCurrentOne) {
  TempDir dir;
  auto run = RunMkdict(dir, "CREATE TABLE A (X INTEGER);\n", {"in.ddl"});
  ASSERT_EQ(run.err, "");
  EXPECT_TRUE(fs::exists(dir / "A.DAT"));
  EXPECT_EQ(DumpDictionary(dir.str()),
            "file id=1 name=\"A\" location=\"A.DAT\" flags=0x00000000\n"
            "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"X\"\n");
}

}  // namespace
}  // namespace mkdicttest
