// Bad descriptions and bad command lines: the one-line message, the exit
// code, and that nothing is written, not even over an existing dictionary.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <string>

#include "file_dump.h"
#include "mkdict_run.h"
#include "named_case.h"

namespace mkdicttest {
namespace {

using testsupport::ReadFile;
using testsupport::TempDir;
namespace fs = std::filesystem;

struct ErrorCase : testsupport::NamedCase {
  std::string ddl;
  std::string message;  // after "in.ddl:"
};

const std::string kTable = "CREATE TABLE T (A INTEGER);\n";

std::vector<ErrorCase> SyntaxCases() {
  return {
      {"UnclosedColumnList", "CREATE TABLE T (A INTEGER",
       "1:26: expected NULL, NOT NULL, CASE INSENSITIVE, CASE SENSITIVE, BINARY, AT, ID, FLAGS, ',' or ')', "
       "found end of file"},
      {"ColumnOptionRunTogether", "CREATE TABLE T (A INTEGER NOTNULL);",
       "1:27: expected NULL, NOT NULL, CASE INSENSITIVE, CASE SENSITIVE, BINARY, AT, ID, FLAGS, ',' or ')', "
       "found 'NOTNULL'"},
      {"UnknownSegmentOption", kTable + "CREATE INDEX K ON T (A DESCENDING);",
       "2:24: expected ASC, DESC, CASE INSENSITIVE, CASE SENSITIVE, ACS, NULL KEY, FLAGS, ',' or ')', found "
       "'DESCENDING'"},
      {"UnknownGuards", "CREATE TABLE T OWNER 'x' GUARDS SOME ();",
       "1:33: expected ALL or CHANGES, found 'SOME'"},
      {"OwnerTwice", "CREATE TABLE T OWNER 'a' OWNER 'b' ();", "1:26: OWNER given twice"},
      {"MisspeltKeyword", "CREATE TABEL T ();",
       "1:8: expected TABLE, INDEX, UNIQUE or CONSTRAINT, found 'TABEL'"},
      {"UnknownStatement", "DROP TABLE T;", "1:1: expected CREATE, INSERT or SET, found 'DROP'"},
      {"MissingSemicolon", "CREATE TABLE T ()\nCREATE TABLE U ();", "2:1: expected ';', found 'CREATE'"},
      {"UnknownTableOption", "CREATE TABLE T SIZE 5 ();",
       "1:16: expected ID, IN, NO FILE, PAGESIZE, VERSION, VARIABLE, RECORD COMPRESSION, PAGE COMPRESSION, "
       "OWNER, NULLABLE, DICTIONARY, FLAGS or '(', found 'SIZE'"},
      {"UnknownIndexOption", kTable + "CREATE INDEX K ON T (A) UNIQUE;",
       "2:25: expected NUMBER, ID, MODIFIABLE or ';', found 'UNIQUE'"},
      {"UnknownConstraintOption", kTable + "CREATE CONSTRAINT C ON T OFFSET 4;",
       "2:26: expected ID, AT or ';', found 'OFFSET'"},
      {"NameExpected", "CREATE TABLE 'T' ();", "1:14: expected a table name, found string 'T'"},
      {"ValueExpected", kTable + "INSERT INTO T VALUES (A);",
       "2:23: expected a value (a number, a 'string', X'hex', TRUE, FALSE or NULL), found 'A'"},
      {"IntegerExpected", "CREATE TABLE T ID 1.5 ();", "1:19: expected an integer, found '1.5'"},
      {"NullKeyNeedsKey", kTable + "CREATE INDEX K ON T (A NULL);", "2:28: expected KEY, found ')'"},
      {"CaseNeedsWord", "CREATE TABLE T (A CHAR(2) CASE);",
       "1:31: expected INSENSITIVE or SENSITIVE, found ')'"},
      {"ClauseTwice", "CREATE TABLE T ID 1 ID 2 ();", "1:21: ID given twice"},
      {"UnterminatedString", "SET MASTER PASSWORD 'abc", "1:21: unterminated string"},
      {"UnterminatedName", "CREATE TABLE \"T ();", "1:14: unterminated quoted name"},
      {"UnterminatedComment", "/* x", "1:1: unterminated comment"},
      {"UnexpectedCharacter", "CREATE TABLE T () ?;", "1:19: unexpected character '?'"},
      {"MalformedNumber", "CREATE TABLE T (A CHAR(12x));", "1:24: malformed number"},
      {"NumberTooLarge", "CREATE TABLE T ID 99999999999999999999 ();", "1:19: number too large"},
      {"OddHexString", kTable + "INSERT INTO T VALUES (X'123');",
       "2:23: hex string needs an even number of digits"},
      {"BadHexDigit", kTable + "INSERT INTO T VALUES (X'12G4');", "2:23: bad digit in hex string"},
      {"NulInAString", kTable + std::string("INSERT INTO T VALUES ('a\0b');", 30),
       "2:25: NUL byte in a string; write such a value as a hex string X'...'"},
      // A byte-order mark is skipped, and columns count from after it.
      {"ErrorAfterAByteOrderMark",
       "\xEF\xBB\xBF"
       "CREATE TABLE T () ?;",
       "1:19: unexpected character '?'"},
  };
}

std::vector<ErrorCase> MeaningCases() {
  const std::string twoColumns = "CREATE TABLE T (A INTEGER, B CHAR(4));\n";
  return {
      {"UnknownType", "CREATE TABLE T (A VARCHAR(10));", "1:19: unknown type 'VARCHAR'"},
      {"LocationOutsideTheFolder", "CREATE TABLE T IN 'a/../../T.DAT' ();",
       "1:14: data file a/../../T.DAT of table T would lie outside the output folder; only an absolute "
       "location may"},
      {"TypeCodeOutOfRange", "CREATE TABLE T (A TYPE 256(1));", "1:24: type code must be 0 to 255"},
      {"SizeMissing", "CREATE TABLE T (A CHAR);", "1:19: CHAR needs a size"},
      {"RawTypeSizeMissing", "CREATE TABLE T (A TYPE 24);", "1:19: TYPE24 needs a size"},
      {"DuplicateTable", "CREATE TABLE T ();\nCREATE TABLE t ();", "2:14: duplicate table name t"},
      {"DuplicateColumn", "CREATE TABLE T (A INTEGER, a CHAR(2));",
       "1:28: duplicate column name a in table T"},
      {"DuplicateIndexName", kTable + "CREATE INDEX K ON T (A);\nCREATE INDEX k ON T (A);",
       "3:14: duplicate index name k in table T"},
      {"DuplicateIndexNumber", kTable + "CREATE INDEX K ON T (A);\nCREATE INDEX L ON T (A) NUMBER 0;",
       "3:32: duplicate index number 0"},
      {"DuplicateConstraint", kTable + "CREATE CONSTRAINT C ON T;\nCREATE CONSTRAINT c ON T;",
       "3:19: duplicate constraint name c in table T"},
      {"DuplicateTableId", "CREATE TABLE T ID 5 ();\nCREATE TABLE U ID 5 ();", "2:19: duplicate table id 5"},
      {"AutomaticTableIdTaken", "CREATE TABLE T ();\nCREATE TABLE U ID 1 ();", "2:19: duplicate table id 1"},
      {"DuplicateFieldId", "CREATE TABLE T (A INTEGER ID 7);\nCREATE TABLE U (B INTEGER ID 7);",
       "2:30: duplicate field id 7"},
      {"UnknownTable", "CREATE INDEX K ON T (A);", "1:19: unknown table T"},
      {"UnknownIndexColumn", kTable + "CREATE INDEX K ON T (A, B);", "2:25: unknown column B in table T"},
      {"UnknownInsertColumn", kTable + "INSERT INTO T (B) VALUES (1);", "2:16: unknown column B in table T"},
      {"ColumnListedTwice", kTable + "INSERT INTO T (A, a) VALUES (1, 2);", "2:19: column a listed twice"},
      {"IdWithoutIndexName", kTable + "CREATE INDEX ON T (A) ID 5;", "2:26: ID needs an index name"},
      {"EmptyName", "CREATE TABLE \"\" ();", "1:14: empty table name"},
      {"NameEndsWithSpace", "CREATE TABLE \"T \" ();", "1:14: table name ends with a space"},
      {"TableNameTooLong", "CREATE TABLE " + std::string(129, 'N') + " ();",
       "1:14: table name longer than 128 characters"},
      {"ColumnNameTooLong", "CREATE TABLE T (" + std::string(129, 'C') + " INTEGER);",
       "1:17: column name longer than 128 characters"},
      {"IndexNameTooLong", kTable + "CREATE INDEX \"" + std::string(129, 'I') + "\" ON T (A);",
       "2:14: index name longer than 128 characters"},
      {"LocationTooLong", "CREATE TABLE T IN '" + std::string(251, 'L') + "' ();",
       "1:19: location longer than 250 characters"},
      {"EmptyLocation", "CREATE TABLE T IN '' ();", "1:19: empty location"},
      {"PasswordTooLong", "SET MASTER PASSWORD '" + std::string(52, 'P') + "';",
       "1:21: master password longer than 51 characters"},
      {"PasswordTwice", "SET MASTER PASSWORD 'a';\nSET MASTER PASSWORD 'b';",
       "2:21: master password set twice"},
      {"OwnerTooLong", "CREATE TABLE T OWNER '" + std::string(52, 'O') + "' ();",
       "1:22: owner name longer than 51 characters"},
      {"PageSizeRange", "CREATE TABLE T PAGESIZE 65536 ();", "1:25: page size must be 1 to 65535"},
      {"VersionRange", "CREATE TABLE T VERSION 256 ();", "1:24: file version must be 0 to 255"},
      {"TableIdRange", "CREATE TABLE T ID 2147483648 ();",
       "1:19: table id must be -2147483648 to 2147483647"},
      {"FlagsRange", "CREATE TABLE T FLAGS 0x100000000 ();", "1:22: flags must be -2147483648 to 4294967295"},
      {"IndexNumberRange", kTable + "CREATE INDEX K ON T (A) NUMBER -2147483649;",
       "2:32: index number must be -2147483648 to 4294967295"},
      {"NegativeOffset", "CREATE TABLE T (A INTEGER AT -1);", "1:30: offset must be 0 to 2147483647"},
      {"DecimalPlacesRange", "CREATE TABLE T (A DECIMAL(4,65536));",
       "1:29: decimal places must be 0 to 65535"},
      {"RecordTooLong", "CREATE TABLE T (A CHAR(65000), B CHAR(600));",
       "1:32: column B ends at byte 65600, past the 65535-byte record of a data file"},
      {"KeyTooLong", "CREATE TABLE T (A CHAR(200), B CHAR(56));\nCREATE INDEX K ON T (A, B);",
       "2:1: key of 256 bytes is longer than the 255 bytes a data-file key can hold"},
      {"EmptyKeySegment", "CREATE TABLE T (A CHAR(0));\nCREATE INDEX K ON T (A);",
       "2:22: column A of size 0 cannot be part of a key"},
      {"SharedLocation", "CREATE TABLE A IN 'X.DAT' ();\nCREATE TABLE B IN './X.DAT' ();",
       "2:14: data file ./X.DAT of table B would overwrite the data file of table A"},
      {"LocationOfADictionaryFile", "CREATE TABLE X$File IN 'PVFILE.DDF' DICTIONARY ();",
       "1:14: data file PVFILE.DDF of table X$File would overwrite the dictionary file "
       "PVFILE.DDF"},
      {"RowsWithoutDataFile", "CREATE TABLE T NO FILE (A INTEGER);\nINSERT INTO T VALUES (1);",
       "2:13: table T has no data file"},
      {"ValueCount", twoColumns + "INSERT INTO T VALUES (1, 'a'), (2);",
       "2:32: expected 2 values in the row, found 1"},
      {"DuplicateUniqueKey",
       kTable + "CREATE UNIQUE INDEX K ON T (A);\nINSERT INTO T VALUES (1), (2),\n (1);",
       "4:2: duplicate key in unique index K of table T: same as row 1 of the statement at line 3"},
      {"DuplicateCaseInsensitiveKey",
       "CREATE TABLE T (A CHAR(3));\nCREATE UNIQUE INDEX ON T (A CASE INSENSITIVE);\n"
       "INSERT INTO T VALUES ('ab');\nINSERT INTO T VALUES ('AB');",
       "4:22: duplicate key in unique index number 0 of table T: same as row 1 of the statement at line 3"},
      {"DuplicateKeyOfACaseInsensitiveColumn",
       "CREATE TABLE T (A CHAR(4) CASE INSENSITIVE);\nCREATE UNIQUE INDEX K ON T (A);\n"
       "INSERT INTO T VALUES ('lds1'), ('LDS1');",
       "3:32: duplicate key in unique index K of table T: same as row 1 of the statement at line 3"},
      {"NamesTheReportCannotTellApart", "CREATE TABLE \"Order Items\" ();\nCREATE TABLE order^items ();",
       "2:14: duplicate table name order^items"},
      {"ColumnNamesTheReportCannotTellApart", "CREATE TABLE T (\"A B\" INTEGER, a^b INTEGER);",
       "1:32: duplicate column name a^b in table T"},
      {"NullInNotNullColumn",
       "CREATE TABLE T (A INTEGER NOT NULL, B INTEGER);\nINSERT INTO T VALUES (1, 2), (NULL, 3);",
       "2:31: NULL in NOT NULL column A (row 2 of the statement at line 2)"},
      {"NotNullColumnLeftOut",
       "CREATE TABLE T (A INTEGER NOT NULL, B INTEGER);\nINSERT INTO T (B) VALUES (3);",
       "2:26: no value for NOT NULL column A (row 1 of the statement at line 2)"},
      {"AutoincRunsOut", "CREATE TABLE T (A AUTOINC(1));\nINSERT INTO T VALUES (127), (0);",
       "2:30: no value left above 127 in column A (AUTOINC(1))"},
      {"UnknownOwnerName", "CREATE TABLE Customers OWNER UNKNOWN GUARDS CHANGES ();",
       "1:30: the owner name of table Customers is not known: write it in quotes in place of UNKNOWN"},
      {"UnknownMasterPassword", "SET MASTER PASSWORD UNKNOWN GUARDS ALL;",
       "1:21: the master password is not known: write it in quotes in place of UNKNOWN"},
      {"IntegerOfOddSize", "CREATE TABLE T (A INTEGER(3));",
       "1:27: size of INTEGER column A must be 1, 2, 4 or 8"},
      {"FloatOfOddSize", "CREATE TABLE T (A FLOAT(2));", "1:25: size of FLOAT column A must be 4 or 8"},
      {"DateOfOddSize", "CREATE TABLE T (A DATE(5));", "1:24: size of DATE column A must be 4"},
      {"RawCodeOfOddSizeTakesOnlyHex", "CREATE TABLE T (A TYPE 3(5));\nINSERT INTO T VALUES ('2024-01-15');",
       "2:23: only hex values or NULL fit column A (DATE(5))"},
      {"LogicalOfOddSize", "CREATE TABLE T (A LOGICAL(4));", "1:27: size of LOGICAL column A must be 1 or 2"},
      {"GuidOfOddSize", "CREATE TABLE T (A GUID(8));", "1:24: size of GUID column A must be 16"},
      {"TimestampOfOddSize", "CREATE TABLE T (A AUTOTIMESTAMP(4));",
       "1:33: size of AUTOTIMESTAMP column A must be 8"},
  };
}

std::vector<ErrorCase> ValueCases() {
  auto insert = [](const std::string& type, const std::string& value) {
    return "CREATE TABLE T (A " + type + ");\nINSERT INTO T VALUES (" + value + ");";
  };
  return {
      {"IntegerOutOfRange", insert("INTEGER(1)", "128"),
       "2:23: value out of range for column A (INTEGER(1))"},
      {"NegativeIntegerOutOfRange", insert("INTEGER(2)", "-32769"),
       "2:23: value out of range for column A (INTEGER(2))"},
      {"NegativeUnsigned", insert("UNSIGNED(4)", "-1"),
       "2:23: value out of range for column A (UNSIGNED(4))"},
      {"UnsignedOutOfRange", insert("UNSIGNED(2)", "65536"),
       "2:23: value out of range for column A (UNSIGNED(2))"},
      {"StringForInteger", insert("INTEGER", "'1'"),
       "2:23: an integer value is needed for column A (INTEGER(4))"},
      {"DecimalForInteger", insert("INTEGER", "1.5"),
       "2:23: an integer value is needed for column A (INTEGER(4))"},
      {"NumberForString", insert("CHAR(4)", "12"), "2:23: a string is needed for column A (CHAR(4))"},
      {"CharTooLong", insert("CHAR(2)", "'abc'"), "2:23: string too long for column A (CHAR(2))"},
      {"ZStringNeedsTerminator", insert("ZSTRING(3)", "'abc'"),
       "2:23: string too long for column A (ZSTRING(3))"},
      {"LStringNeedsLengthByte", insert("LSTRING(3)", "'abc'"),
       "2:23: string too long for column A (LSTRING(3))"},
      {"WStringTooLong", insert("WSTRING(4)", "'abc'"), "2:23: string too long for column A (WSTRING(4))"},
      {"WStringBadUtf8", insert("WZSTRING(8)", "'\xff'"),
       "2:23: string is not valid UTF-8 for column A (WZSTRING(8))"},
      {"TooManyDecimalPlaces", insert("DECIMAL(4,1)", "1.25"),
       "2:23: too many decimal places for column A (DECIMAL(4,1))"},
      {"DecimalOutOfRange", insert("DECIMAL(2,1)", "100"),
       "2:23: value out of range for column A (DECIMAL(2,1))"},
      {"FloatForDecimal", insert("MONEY(4,2)", "1e3"),
       "2:23: an integer or decimal value is needed for column A (MONEY(4,2))"},
      {"FloatOutOfRange", insert("FLOAT(4)", "1e39"), "2:23: value out of range for column A (FLOAT(4))"},
      {"DoubleOutOfRange", insert("FLOAT", "1e309"), "2:23: value out of range for column A (FLOAT(8))"},
      {"NumberForRawType", insert("TYPE 99(4)", "20240101"),
       "2:23: only hex values or NULL fit column A (TYPE 99(4))"},
      {"StringForRawType", insert("TYPE 99(4)", "'x'"),
       "2:23: only hex values or NULL fit column A (TYPE 99(4))"},
      {"HexTooLong", insert("INTEGER(2)", "X'010203'"), "2:23: hex value too long for column A (INTEGER(2))"},
  };
}

class ErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTest, OneLineExitOneNothingWritten) {
  TempDir dir;
  auto run = RunMkdict(dir, GetParam().ddl);
  EXPECT_EQ(run.err, "in.ddl:" + GetParam().message + "\n");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(fs::exists(dir / "out"));
}

constexpr testsupport::CaseName CaseName;
INSTANTIATE_TEST_SUITE_P(Syntax, ErrorTest, testing::ValuesIn(SyntaxCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Meaning, ErrorTest, testing::ValuesIn(MeaningCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(Values, ErrorTest, testing::ValuesIn(ValueCases()), CaseName);

// Every file under `folder`, with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    files[fs::relative(entry.path(), folder).string()] =
        entry.is_symlink()        ? "(link to " + fs::read_symlink(entry.path()).string() + ")"
        : entry.is_regular_file() ? ReadFile(entry.path().string())
                                  : "(folder)";
  }
  return files;
}

TEST(NothingWritten, AnExistingDictionaryStaysAsItWas) {
  TempDir dir;
  const std::string good =
      "CREATE TABLE Customers IN 'data/CUSTOMER.DAT' (Id INTEGER);\n"
      "CREATE UNIQUE INDEX K ON Customers (Id);\n"
      "INSERT INTO Customers VALUES (1), (2);\n";
  ASSERT_EQ(RunMkdict(dir, good).exitCode, 0);
  const auto before = Snapshot(dir / "out");
  ASSERT_EQ(before.size(), 5u);

  // A late syntax error, a late duplicate key, and a data file that can only
  // fail while being written (its temporary's name is too long: 248 bytes,
  // ".tmp.", the process id and ".0" pass 255 whatever the id), each with
  // --replace: each leaves no trace.
  testsupport::WriteFile(dir / "out/blocker", "a file, not a folder");
  const auto withBlocker = Snapshot(dir / "out");
  const std::string bad[] = {
      "CREATE TABLE Customers IN 'data/CUSTOMER.DAT' (Id INTEGER);\n"
      "CREATE TABLE New IN 'new/NEW.DAT' ();\nINSERT INTO Customers VALUES (3);\nCREATE",
      good + "INSERT INTO Customers VALUES (2);\n",
      "CREATE TABLE Customers IN 'data/CUSTOMER.DAT' (Id INTEGER);\n"
      "CREATE TABLE New IN 'new/deeper/NEW.DAT' ();\n"
      "CREATE TABLE Long IN 'l/" +
          std::string(248, 'L') + "' ();\n",
  };
  const std::string messages[] = {
      "in.ddl:4:7: expected TABLE, INDEX, UNIQUE or CONSTRAINT, found end of file\n",
      "in.ddl:4:30: duplicate key in unique index K of table Customers: same as row 2 of the "
      "statement at line 3\n",
      "mkdict: cannot write out/l/" + std::string(248, 'L') + ": file name too long\n",
  };
  for (int i = 0; i < 3; ++i) {
    auto run = RunMkdict(dir, bad[i], {"in.ddl", "-o", "out", "--replace"});
    EXPECT_EQ(run.err.substr(0, messages[i].size()), messages[i]);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(Snapshot(dir / "out"), withBlocker) << "after bad description " << i;
  }
  EXPECT_EQ(DumpDictionary(dir / "out"),
            "file id=1 name=\"Customers\" location=\"data/CUSTOMER.DAT\" flags=0x00000000\n"
            "field id=1 table=1 type=1 offset=0 size=4 dec=0 flags=0x00000000 name=\"Id\"\n"
            "field id=2 table=1 type=255 offset=0 size=0 dec=0 flags=0x00000000 name=\"K\"\n"
            "index table=1 field=1 number=0 segment=0 flags=0x00000000\n");
}

// Refusals that depend on what is on disk already. Each case builds
// `before` (if any) into out/, makes its `setup` entries, then runs mkdict on
// `ddl`: one line, exit 1, and not a byte changed anywhere in the folder.
struct Entry {
  std::string path;
  enum Kind { kFolder, kText, kLink, kHardLink } kind;
  std::string target;  // link target, or the text
};

struct RefusalCase : testsupport::NamedCase {
  std::string before;
  std::vector<Entry> setup;
  std::string ddl;
  std::vector<std::string> arguments;
  std::string message;  // here and in `ddl`, "{dir}" stands for the test's folder
};

std::vector<RefusalCase> RefusalCases() {
  const std::vector<std::string> replace = {"in.ddl", "-o", "out", "--replace"};
  const std::vector<std::string> plain = {"in.ddl", "-o", "out"};
  const std::string old = "CREATE TABLE T IN 'data/T.DAT' ();\n";
  const std::string table = "CREATE TABLE T IN '";
  return {
      {"DescriptionMissing",
       "",
       {},
       kTable,
       {"missing.ddl"},
       "mkdict: cannot read missing.ddl: No such file or directory"},
      {"DescriptionIsAFolder",
       "",
       {{"sub", Entry::kFolder, ""}},
       kTable,
       {"sub"},
       "mkdict: sub is a folder, not a description"},
      {"DescriptionIsADevice",
       "",
       {},
       kTable,
       {"/dev/null"},
       "mkdict: /dev/null is not a regular file, not a description"},
      {"DictionaryWithoutReplace",
       old,
       {},
       old,
       plain,
       "mkdict: out holds a dictionary already; --replace replaces it"},
      {"DataFileWithoutReplace",
       old,
       {},
       table + "{dir}/other/T.DAT' ();\nCREATE TABLE U IN '{dir}/out/data/T.DAT' ();",
       {"in.ddl", "-o", "other"},
       "mkdict: {dir}/out/data/T.DAT exists already; --replace replaces it"},
      {"ForeignDataFile",
       "",
       {{"notes.txt", Entry::kText, "keep me"}},
       table + "{dir}/notes.txt' ();",
       replace,
       "mkdict: {dir}/notes.txt exists and was not written by the record manager; mkdict never replaces it"},
      {"ForeignDictionaryFile",
       "",
       {{"out", Entry::kFolder, ""}, {"out/PVINDEX.DDF", Entry::kText, "keep me"}},
       kTable,
       replace,
       "mkdict: out/PVINDEX.DDF exists and was not written by the record manager; mkdict never replaces it"},
      {"ForeignFileUnderAnOldDictionary",
       old,
       {{"out/data/T.DAT", Entry::kText, "keep me"}},
       old,
       replace,
       "mkdict: out/data/T.DAT exists and was not written by the record manager; mkdict never replaces it"},
      {"SameFileByDotDot",
       "",
       {},
       table + "a/../X.DAT' ();\nCREATE TABLE U IN 'X.DAT' ();",
       plain,
       "in.ddl:2:14: data file X.DAT of table U would overwrite the data file of table T"},
      {"SameFileByLink",
       "",
       {{"out", Entry::kFolder, ""}, {"out/d", Entry::kFolder, ""}, {"out/l", Entry::kLink, "d"}},
       table + "d/X.DAT' ();\nCREATE TABLE U IN 'l/X.DAT' ();",
       plain,
       "in.ddl:2:14: data file l/X.DAT of table U would overwrite the data file of table T"},
      {"SameFileByHardLink",
       old,
       {{"out/data/U.DAT", Entry::kHardLink, "out/data/T.DAT"}},
       old + "CREATE TABLE U IN 'data/U.DAT' ();",
       replace,
       "in.ddl:2:14: data file data/U.DAT of table U would overwrite the data file of table T"},
      {"LocationIsALink",
       "",
       {{"out", Entry::kFolder, ""}, {"out/L.DAT", Entry::kLink, "elsewhere"}},
       table + "L.DAT' ();",
       plain,
       "in.ddl:1:14: data file L.DAT of table T is a symbolic link; mkdict replaces files, not links"},
      {"LocationIsAFolder",
       old,
       {},
       "CREATE TABLE U IN 'data' ();",
       replace,
       "in.ddl:1:14: data file data of table U is a folder"},
      {"LocationInsideAnother",
       "",
       {},
       table + "d' ();\nCREATE TABLE U IN 'd/X.DAT' ();",
       plain,
       "in.ddl:2:14: data file d/X.DAT of table U would lie inside the data file of table T"},
      {"LocationInsideADictionaryFile",
       "",
       {},
       table + "PVFILE.DDF/X.DAT' ();",
       plain,
       "in.ddl:1:14: data file PVFILE.DDF/X.DAT of table T would lie inside the dictionary file PVFILE.DDF"},
      {"LocationInsideAFile",
       "",
       {{"out", Entry::kFolder, ""}, {"out/blocker", Entry::kText, "a file"}},
       table + "blocker/X.DAT' ();",
       plain,
       "in.ddl:1:14: data file blocker/X.DAT of table T would lie inside {dir}/out/blocker, which is not a "
       "folder"},
      {"LocationOnTheJournal",
       "",
       {},
       table + "MKDICT.COMMIT' ();",
       plain,
       "in.ddl:1:14: data file MKDICT.COMMIT of table T would overwrite the commit journal MKDICT.COMMIT"},
      // An empty description is most likely a redirect that failed.
      {"NoTableWithReplace",
       old,
       {},
       "SET MASTER PASSWORD 'x';",
       replace,
       "mkdict: in.ddl defines no table; --replace with it would empty out's dictionary (--allow-empty "
       "allows that)"},
  };
}

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, OneLineExitOneNothingChanged) {
  const RefusalCase& test = GetParam();
  TempDir dir;
  if (!test.before.empty()) {
    ASSERT_EQ(RunMkdict(dir, test.before).exitCode, 0);
  }
  for (const Entry& entry : test.setup) {
    const std::string path = dir / entry.path;
    if (entry.kind == Entry::kFolder) fs::create_directory(path);
    if (entry.kind == Entry::kText) testsupport::WriteFile(path, entry.target);
    if (entry.kind == Entry::kLink) fs::create_symlink(entry.target, path);
    if (entry.kind == Entry::kHardLink) fs::create_hard_link(dir / entry.target, path);
  }
  const std::string ddl = std::regex_replace(test.ddl, std::regex("\\{dir\\}"), dir.str());
  testsupport::WriteFile(dir / "in.ddl", ddl);
  const auto before = Snapshot(dir.str());
  auto run = RunMkdict(dir, ddl, test.arguments);
  EXPECT_EQ(run.err, std::regex_replace(test.message, std::regex("\\{dir\\}"), dir.str()) + "\n");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Snapshot(dir.str()) == before);
}

INSTANTIATE_TEST_SUITE_P(OnDisk, RefusalTest, testing::ValuesIn(RefusalCases()), CaseName);

struct UsageCase : testsupport::NamedCase {
  std::vector<std::string> arguments;
  std::string message;
};

class UsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, OneLineExitTwo) {
  TempDir dir;
  auto run = RunMkdict(dir, "CREATE TABLE T ();", GetParam().arguments);
  EXPECT_EQ(run.err, "mkdict: " + GetParam().message + " (see mkdict --help)\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageTest,
    testing::Values(
        UsageCase{"NoArguments", {}, "missing DESCRIPTION"},
        UsageCase{"OnlyAFolder", {"-o", "out"}, "missing DESCRIPTION"},
        UsageCase{"UnknownOption", {"in.ddl", "-x"}, "unknown option -x"},
        UsageCase{"TwoDescriptions", {"in.ddl", "b.ddl"}, "more than one DESCRIPTION: in.ddl and b.ddl"},
        UsageCase{"FolderMissing", {"in.ddl", "-o"}, "-o needs a FOLDER"},
        UsageCase{"PasswordMissing", {"in.ddl", "--password"}, "--password needs a TEXT"},
        UsageCase{"RecoverWithADescription", {"--recover", "in.ddl"}, "--recover takes no DESCRIPTION"},
        UsageCase{"GuardsMissing", {"in.ddl", "--password-guards"}, "--password-guards needs all or changes"},
        UsageCase{"GuardsUnknown",
                  {"in.ddl", "--password-guards", "some"},
                  "--password-guards needs all or changes, not some"},
        UsageCase{"PasswordTooLong",
                  {"in.ddl", "--password", std::string(52, 'p')},
                  "--password longer than 51 characters"}),
    CaseName);

TEST(CommandLine, HelpPrintsTheUsageAndSucceeds) {
  TempDir dir;
  auto run = RunMkdict(dir, "", {"--help"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("usage: mkdict DESCRIPTION [-o FOLDER] [--password TEXT] [--password-guards MODE]\n"
                          "              [--replace [--allow-empty]]\n",
                          0),
            0u);
}

}  // namespace
}  // namespace mkdicttest
