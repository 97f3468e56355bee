// The description language, construct by construct: each case builds a
// dictionary and compares the whole of it, every record field shown, with
// what the construct must store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_dump.h"
#include "mkdict_run.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "named_case.h"

namespace mkdicttest {
namespace {

using testsupport::TempDir;

struct DictionaryCase : testsupport::NamedCase {
  std::string ddl;
  std::string expected;
};

std::string LongLocation() {
  std::string folder(49, 'a');
  return folder + "/" + folder + "/" + folder + "/" + folder + "/" + std::string(46, 'b') + ".DAT";
}

std::vector<DictionaryCase> DictionaryCases() {
  return {
      {"DefaultIdsLocationsAndOffsets",
       "CREATE TABLE Customers (Id INTEGER);\n"
       "CREATE TABLE Orders (Id INTEGER, Total DECIMAL(6,2));\n",
       "file id=1 name=\"Customers\" location=\"Customers.DAT\" flags=0x00000000\n"
       "file id=2 name=\"Orders\" location=\"Orders.DAT\" flags=0x00000000\n"
       "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"Id\"\n"
       "field id=2 table=2 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"Id\"\n"
       "field id=3 table=2 type=5 offset=4 size=6 dec=2 flags=0x00000000 name=\"Total\"\n"},
      {"TableNamesIdsLocationsAndFlags",
       "CREATE TABLE \"Order Items\" ID 10 IN 'data/ITEMS.DAT' (Id INTEGER);\n"
       "CREATE TABLE Order^Lines NULLABLE (Id INTEGER);\n"
       "CREATE TABLE X$File ID 1 IN 'PVFILE.DDF' NO FILE DICTIONARY ();\n"
       "CREATE TABLE Raw FLAGS 0x80000001 NULLABLE NO FILE ();\n"
       "CREATE TABLE Far IN '" +
           LongLocation() +
           "' ();\n"
           "CREATE TABLE \"a/b\\c\" NO FILE ();\n"
           "CREATE TABLE Quote IN 'it''s.DAT' NO FILE ();\n",
       "file id=1 name=\"X$File\" location=\"PVFILE.DDF\" flags=0x00000010\n"
       "file id=10 name=\"Order Items\" location=\"data/ITEMS.DAT\" flags=0x00000000\n"
       "file id=11 name=\"Order^Lines\" location=\"Order^Lines.DAT\" flags=0x00000040\n"
       "file id=12 name=\"Raw\" location=\"Raw.DAT\" flags=0x80000041\n"
       "file id=13 name=\"Far\" location=\"" +
           LongLocation() +
           "\" flags=0x00000000\n"
           "file id=14 name=\"a/b\\x5cc\" location=\"a_b_c.DAT\" flags=0x00000000\n"
           "file id=15 name=\"Quote\" location=\"it's.DAT\" flags=0x00000000\n"
           "field id=1 table=10 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"Id\"\n"
           "field id=2 table=11 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"Id\"\n"},
      {"ColumnAttributes",
       "CREATE TABLE T (\n"
       "  A CHAR(10),\n"
       "  B INTEGER(2) NULL,\n"
       "  C CHAR(20) CASE INSENSITIVE NOT NULL,\n"
       "  D BLOB(8) BINARY,\n"
       "  E DECIMAL(9,3),\n"
       "  F ZSTRING(5) AT 100 ID 50,\n"
       "  G TYPE 200(3,1) FLAGS 0x100 CASE SENSITIVE,\n"
       "  \"H h\" FLOAT NULL CASE INSENSITIVE\n"
       ");\n",
       "file id=1 name=\"T\" location=\"T.DAT\" flags=0x00000000\n"
       "field id=1 table=1 type=0 offset=0 size=10 dec=0 flags=0x00000000 name=\"A\"\n"
       "field id=2 table=1 type=1 offset=10 size=2 dec=0 flags=0x00000004 name=\"B\"\n"
       "field id=3 table=1 type=0 offset=12 size=20 dec=0 flags=0x00000001 name=\"C\"\n"
       "field id=4 table=1 type=21 offset=32 size=8 dec=0 flags=0x00001000 name=\"D\"\n"
       "field id=5 table=1 type=5 offset=40 size=9 dec=3 flags=0x00000000 name=\"E\"\n"
       "field id=50 table=1 type=11 offset=100 size=5 dec=0 flags=0x00000000 name=\"F\"\n"
       "field id=51 table=1 type=200 offset=105 size=3 dec=1 flags=0x00000100 name=\"G\"\n"
       "field id=52 table=1 type=2 offset=108 size=8 dec=0 flags=0x00000005 name=\"H h\"\n"},
      {"IndexesAndSegmentFlags",
       "CREATE TABLE T (A INTEGER, B CHAR(10), C UNSIGNED(2));\n"
       "CREATE UNIQUE INDEX Primary ON T (A);\n"
       "CREATE INDEX \"By Name\" ON T (B DESC CASE INSENSITIVE, A ASC) MODIFIABLE;\n"
       "CREATE INDEX ON T (C ACS NULL KEY);\n"
       "CREATE UNIQUE INDEX Far ON T (C) NUMBER 4294967295 ID 99;\n"
       "CREATE INDEX Raw^Flags ON T (B FLAGS 0x80 CASE SENSITIVE) NUMBER 7;\n"
       "CREATE INDEX Next ON T (A, B, C);\n",
       "file id=1 name=\"T\" location=\"T.DAT\" flags=0x00000000\n"
       "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"A\"\n"
       "field id=2 table=1 type=0 offset=4 size=10 dec=0 flags=0x00000000 name=\"B\"\n"
       "field id=3 table=1 type=14 offset=14 size=2 dec=0 flags=0x00000000 name=\"C\"\n"
       "field id=4 table=1 type=255 offset=0 size=0 dec=0 flags=0x00000000 name=\"Primary\"\n"
       "field id=5 table=1 type=255 offset=1 size=0 dec=0 flags=0x00000000 name=\"By Name\"\n"
       "field id=99 table=1 type=255 offset=-1 size=0 dec=0 flags=0x00000000 name=\"Far\"\n"
       "field id=100 table=1 type=255 offset=7 size=0 dec=0 flags=0x00000000 name=\"Raw^Flags\"\n"
       "field id=101 table=1 type=255 offset=8 size=0 dec=0 flags=0x00000000 name=\"Next\"\n"
       "index table=1 field=3 number=-1 segment=0 flags=0x00000000\n"
       "index table=1 field=1 number=0 segment=0 flags=0x00000000\n"
       "index table=1 field=2 number=1 segment=0 flags=0x00000063\n"
       "index table=1 field=1 number=1 segment=1 flags=0x00000003\n"
       "index table=1 field=3 number=2 segment=0 flags=0x0000000d\n"
       "index table=1 field=2 number=7 segment=0 flags=0x00000081\n"
       "index table=1 field=1 number=8 segment=0 flags=0x00000001\n"
       "index table=1 field=2 number=8 segment=1 flags=0x00000001\n"
       "index table=1 field=3 number=8 segment=2 flags=0x00000001\n"},
      {"Constraints",
       "CREATE TABLE T (A INTEGER, B INTEGER);\n"
       "CREATE CONSTRAINT Positive ON T;\n"
       "CREATE CONSTRAINT \"Check B\" ON T ID 40 AT 4;\n",
       "file id=1 name=\"T\" location=\"T.DAT\" flags=0x00000000\n"
       "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"A\"\n"
       "field id=2 table=1 type=1 offset=4 size=4 dec=0 flags=0x00000000 name=\"B\"\n"
       "field id=3 table=1 type=227 offset=0 size=0 dec=0 flags=0x00000000 name=\"Positive\"\n"
       "field id=40 table=1 type=227 offset=4 size=0 dec=0 flags=0x00000000 name=\"Check B\"\n"},
      {"KeywordsInAnyCaseCommentsAndQuotes",
       "/* a block\n   comment */ create table t ( a integer ) ; -- to the end of the line\n"
       "Create Unique Index \"say \"\"hi\"\"\" On t (a);\n"
       "insert into t values (1), (+2), (-3);\n",
       "file id=1 name=\"t\" location=\"t.DAT\" flags=0x00000000\n"
       "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"a\"\n"
       "field id=2 table=1 type=255 offset=0 size=0 dec=0 flags=0x00000000 "
       "name=\"say \\x22hi\\x22\"\n"
       "index table=1 field=1 number=0 segment=0 flags=0x00000000\n"},
      {"EmptyDescription", "-- nothing\n", ""},
  };
}

class DictionaryTest : public testing::TestWithParam<DictionaryCase> {};

TEST_P(DictionaryTest, StoresEveryAttribute) {
  TempDir dir;
  auto run = RunMkdict(dir, GetParam().ddl);
  ASSERT_EQ(run.err, "");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(DumpDictionary(dir / "out"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Constructs, DictionaryTest, testing::ValuesIn(DictionaryCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// One keyword per type code 0..37, in code order.
const char* const kTypeKeywords[] = {
    "CHAR",       "INTEGER",    "FLOAT",       "DATE",       "TIME",          "DECIMAL",  "MONEY",
    "LOGICAL",    "NUMERIC",    "BFLOAT",      "LSTRING",    "ZSTRING",       "NOTE",     "LVAR",
    "UNSIGNED",   "AUTOINC",    "BIT",         "NUMERICSTS", "NUMERICSA",     "CURRENCY", "TIMESTAMP",
    "BLOB",       "GDECIMAL",   "CONSTSTRING", "TYPE24",     "WSTRING",       "WZSTRING", "GUID",
    "NUMERICSLB", "NUMERICSLS", "DATETIME",    "NUMERICSTB", "AUTOTIMESTAMP", "TYPE33",   "TIMESTAMP2",
    "TYPE35",     "CONSTRAINT", "INDEXDEF"};

// A size each type allows: 4, or the one its fixed width takes.
const int kTypeSizes[] = {4, 4, 4, 4, 4, 4, 4, 1, 4,  4, 4, 4, 4, 4, 4, 4, 1, 4, 4,
                          8, 8, 4, 4, 4, 4, 4, 4, 16, 4, 4, 8, 4, 8, 4, 8, 4, 4, 4};

TEST(DictionaryTypes, EveryTypeKeywordAndRawCodeStoresItsCode) {
  std::string ddl = "CREATE TABLE T (\n";
  std::string expected = "file id=1 name=\"T\" location=\"T.DAT\" flags=0x00000000\n";
  int code = 0;
  for (const char* keyword : kTypeKeywords) {
    ddl += "  K" + std::to_string(code) + " " + keyword + "(" + std::to_string(kTypeSizes[code]) + "),\n";
    ++code;
  }
  for (int raw : {0, 37, 38, 227, 255}) {
    ddl += "  R" + std::to_string(raw) + " TYPE " + std::to_string(raw) + "(4)" + (raw == 255 ? "\n" : ",\n");
  }
  ddl += ");\n";
  int field = 0;
  int offset = 0;
  auto line = [&](const std::string& name, int type, int size) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "field id=%d table=1 type=%d offset=%d size=%d dec=0 flags=0x00000000 name=\"%s\"\n",
                  field + 1, type, offset, size, name.c_str());
    ++field;
    offset += size;
    return std::string(text);
  };
  for (code = 0; code < 38; ++code) expected += line("K" + std::to_string(code), code, kTypeSizes[code]);
  for (int raw : {0, 37, 38, 227, 255}) expected += line("R" + std::to_string(raw), raw, 4);
  TempDir dir;
  auto run = RunMkdict(dir, ddl);
  ASSERT_EQ(run.err, "");
  EXPECT_EQ(DumpDictionary(dir / "out"), expected);
}

TEST(DictionaryTypes, TypesWithADefaultSizeNeedNone) {
  TempDir dir;
  auto run = RunMkdict(dir,
                       "CREATE TABLE T (A integer, B float, C date, D time, E logical, F bfloat,\n"
                       "  G unsigned, H autoinc, I bit, J currency, K timestamp, L guid,\n"
                       "  M datetime, N autotimestamp, O timestamp2);\n");
  ASSERT_EQ(run.err, "");
  std::string dump = DumpDictionary(dir / "out");
  std::string sizes;
  for (size_t at = dump.find(" size="); at != std::string::npos; at = dump.find(" size=", at + 1)) {
    sizes += dump.substr(at + 6, dump.find(' ', at + 6) - at - 6) + " ";
  }
  EXPECT_EQ(sizes, "4 8 4 4 1 8 4 4 1 8 8 16 8 8 8 ");
}

TEST(DictionaryOwner, DefaultOwnerNameOrMasterPassword) {
  const std::string ddl = "CREATE TABLE T NO FILE ();\n";
  const std::string table = "file id=1 name=\"T\" location=\"T.DAT\" flags=0x00000000\n";
  TempDir dir;
  ASSERT_EQ(RunMkdict(dir, ddl).exitCode, 0);
  EXPECT_EQ(DumpDictionary(dir / "out", kDefaultOwnerName), table);
  EXPECT_NE(DumpDictionary(dir / "out", ""), table);

  TempDir set;
  ASSERT_EQ(RunMkdict(set, "SET MASTER PASSWORD 'Shop keeper';\n" + ddl).exitCode, 0);
  EXPECT_EQ(DumpDictionary(set / "out", "Shop keeper"), table);
  EXPECT_NE(DumpDictionary(set / "out", kDefaultOwnerName), table);

  TempDir option;
  auto run = RunMkdict(option, "SET MASTER PASSWORD 'Shop keeper';\n" + ddl,
                       {"--password", "from the command line", "in.ddl", "-o", "out"});
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(DumpDictionary(option / "out", "from the command line"), table);
  EXPECT_NE(DumpDictionary(option / "out", "Shop keeper"), table);

  TempDir empty;
  ASSERT_EQ(RunMkdict(empty, "SET MASTER PASSWORD '';\n" + ddl).exitCode, 0);
  EXPECT_EQ(DumpDictionary(empty / "out", kDefaultOwnerName), table);
}

TEST(DictionaryOwner, GuardsChangesLetsAReaderWithoutTheNameRead) {
  const std::string ddl = "CREATE TABLE T NO FILE ();\n";
  const std::string table = "file id=1 name=\"T\" location=\"T.DAT\" flags=0x00000000\n";
  struct Case {
    const char* what;
    std::string ddl;
    std::vector<std::string> options;
    std::string owner;
    bool readsWithoutName;
  } cases[] = {
      {"password guards changes", "SET MASTER PASSWORD 'Keeper' GUARDS CHANGES;\n", {}, "Keeper", true},
      {"password guards all", "SET MASTER PASSWORD 'Keeper' GUARDS ALL;\n", {}, "Keeper", false},
      {"default name guards changes", "SET MASTER PASSWORD '' GUARDS CHANGES;\n", {}, "..QV....", true},
      {"option over the statement",
       "SET MASTER PASSWORD 'Keeper' GUARDS CHANGES;\n",
       {"--password-guards", "all"},
       "Keeper",
       false},
      {"option alone", "", {"--password-guards", "changes"}, "..QV....", true},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::vector<std::string> arguments = {"in.ddl", "-o", "out"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(RunMkdict(dir, c.ddl + ddl, arguments).exitCode, 0) << c.what;
    EXPECT_EQ(DumpDictionary(dir / "out", c.owner), table) << c.what;
    EXPECT_EQ(DumpDictionary(dir / "out", "") == table, c.readsWithoutName) << c.what;
    EXPECT_NE(DumpDictionary(dir / "out", "wrong"), table) << c.what << ": a wrong name is refused";
  }
}

}  // namespace
}  // namespace mkdicttest
