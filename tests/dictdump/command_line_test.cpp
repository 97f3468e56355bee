// Wrong command lines (exit 2) and files that can't be read (exit 1), each
// with its one-line message; --help and --version.
#include <gtest/gtest.h>

#include <fstream>

#include "dictdump_run.h"
#include "temp_dir.h"

namespace dictdumptest {
namespace {

using testsupport::ProcessResult;
using testsupport::TempDir;

constexpr const char* kDescription = R"(
SET MASTER PASSWORD 'secret';
CREATE TABLE Guarded IN 'guarded.dat' OWNER 'owner' (Id INTEGER(4));
CREATE UNIQUE INDEX ON Guarded (Id);
INSERT INTO Guarded VALUES (1);
CREATE TABLE Keyless IN 'keyless.dat' (Id INTEGER(4));
INSERT INTO Keyless VALUES (1), (2);
CREATE TABLE Broken IN 'broken.dat' (Id INTEGER(4));
)";

struct Case {
  std::vector<std::string> arguments;  // {DB}: the dictionary's folder, {DIR}: the test's,
                                       // {EMPTY}: a folder without a dictionary
  int exitCode;
  std::string err;  // all of standard error
  std::string outHas = "";
};

const std::string kSee = " (see dictdump --help)\n";

const std::vector<Case> kCases = {
    {{"--format", "xml"},
     2,
     "dictdump: unknown format 'xml' (mkdict, sql, json, csv, html or markdown)" + kSee},
    {{"--format", "markdown"}, 2, "dictdump: --format markdown needs -o FOLDER" + kSee},
    {{"--format", "json", "--check"}, 2, "dictdump: --check does not go with --format json" + kSee},
    {{"--format", "html", "--data-only"},
     2,
     "dictdump: --format html writes no rows: --data-only does not go with it" + kSee},
    {{"--format", "sql", "--dialect", "oracle"},
     2,
     "dictdump: unknown dialect 'oracle' (sqlite or postgres)" + kSee},
    {{"--dialect", "postgres"}, 2, "dictdump: --dialect does not go with --format mkdict" + kSee},
    {{"--format", "csv"}, 2, "dictdump: --format csv needs exactly one --table" + kSee},
    {{"--format", "csv", "--table", "A", "--table", "B"},
     2,
     "dictdump: --format csv needs exactly one --table" + kSee},
    {{"--schema-only", "--data-only"},
     2,
     "dictdump: --schema-only and --data-only exclude each other" + kSee},
    {{"--bogus"}, 2, "dictdump: unknown option --bogus" + kSee},
    {{"-x"}, 2, "dictdump: unknown option -x" + kSee},
    {{"--table"}, 2, "dictdump: --table needs a value" + kSee},
    {{"-C"}, 2, "dictdump: -C needs a value" + kSee},
    {{"-C", ""}, 2, "dictdump: -C needs a FOLDER" + kSee},
    {{"stray"}, 2, "dictdump: unexpected argument stray" + kSee},
    {{"--password", std::string(52, 'p')}, 2, "dictdump: --password longer than 51 characters" + kSee},
    {{"-C", "/nonexistent/folder"},
     1,
     "dictdump: cannot enter /nonexistent/folder: No such file or directory\n"},
    {{"-C", "{EMPTY}"}, 1, "dictdump: PVFILE.DDF: file not found (is this the dictionary's folder?)\n"},
    {{"-C", "{DB}"},
     1,
     "dictdump: PVFILE.DDF: owner name refused (give the master password with --password)\n"},
    {{"-C", "{DB}", "--password", "wrong"},
     1,
     "dictdump: PVFILE.DDF: owner name refused (the master password given with --password does not open "
     "it)\n"},
    {{"-C", "{DB}", "--password", "secret", "--table", "Nope"},
     1,
     "dictdump: table Nope not found in the dictionary\n"},
    {{"-C", "{DB}", "--password", "secret", "--table", "guarded"},
     1,
     "dictdump: guarded.dat (data file of table Guarded): owner name refused (give its owner name with "
     "--data-password)\n",
     "OWNER UNKNOWN ("},
    {{"-C", "{DB}", "--password", "secret", "--table", "Guarded", "--data-password", "nope"},
     1,
     "dictdump: guarded.dat (data file of table Guarded): owner name refused (the owner name given with "
     "--data-password does not open it)\n"},
    {{"-C", "{DB}", "--password", "secret", "--table", "Guarded", "--data-password", "owner"},
     0,
     "",
     "OWNER 'owner' (\n  \"Id\" INTEGER(4) AT 0 ID 1\n);\nCREATE UNIQUE INDEX ON \"Guarded\" (\"Id\") NUMBER "
     "0;\n"
     "INSERT INTO \"Guarded\" VALUES\n  ("},  // the value's form is the shared text form's
    {{"-C", "{DB}", "--password", "secret", "--table", "Broken"},
     1,
     "dictdump: broken.dat (data file of table Broken): not a file of this record manager\n"},
    {{"-C", "{DB}", "--password", "secret", "--table", "Keyless", "-o", "-"},
     0,
     "",
     "INSERT INTO \"Keyless\" VALUES\n  ("},
    // -o never writes over the dictionary or a data file, under any name,
    // nor over any record manager's file; it writes into what is no file.
    {{"-C", "{DB}", "--password", "secret", "-o", "{DB}/PVFIELD.DDF"},
     1,
     "dictdump: will not write to {DB}/PVFIELD.DDF: it is the dictionary file PVFIELD.DDF\n"},
    {{"-C", "{DB}", "--password", "secret", "-o", "{DB}/keyless.dat"},
     1,
     "dictdump: will not write to {DB}/keyless.dat: it is the data file of table Keyless\n"},
    {{"-C", "{DB}", "--password", "secret", "-o", "{DIR}/linked"},
     1,
     "dictdump: will not write to {DIR}/linked: it is the dictionary file PVFILE.DDF\n"},
    {{"-C", "{DB}", "--password", "secret", "-o", "{DIR}/copied"},
     1,
     "dictdump: will not write to {DIR}/copied: it is a record manager's file\n"},
    {{"-C", "{DB}", "--password", "secret", "--table", "Keyless", "-o", "/dev/stdout"},
     0,
     "",
     "CREATE TABLE"},
    {{"-C", "{DB}", "--password", "secret", "--table", "Keyless", "-o", "/nonexistent/out.ddl"},
     1,
     "dictdump: cannot write /nonexistent/out.ddl: No such file or directory\n"},
    {{"--help"}, 0, "", "usage: dictdump [-C FOLDER]"},
    {{"--version"}, 0, "", "dictdump 1.0.0\n"},
};

// `text` with {DB} and {DIR} replaced by the folders.
std::string Placed(std::string text, const std::string& dir, const std::string& db) {
  for (const auto& [name, folder] : {std::pair{"{DB}", db}, std::pair{"{DIR}", dir}})
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name))
      text.replace(at, std::string_view(name).size(), folder);
  return text;
}

TEST(DictdumpCommandLine, ErrorsAndExitCodes) {
  TempDir dir;
  const std::string db = dir / "db";
  ASSERT_EQ(BuildDictionary(db, kDescription).exitCode, 0);
  std::ofstream(db + "/broken.dat", std::ios::trunc) << std::string(8192, 'z');
  std::filesystem::create_directory(dir / "empty");
  std::filesystem::create_hard_link(db + "/PVFILE.DDF", dir / "linked");
  std::filesystem::copy_file(db + "/guarded.dat", dir / "copied");
  const std::vector<std::string> refused = {db + "/PVFIELD.DDF", db + "/keyless.dat", dir / "linked",
                                            dir / "copied"};
  std::vector<std::string> before;
  for (const std::string& file : refused) before.push_back(testsupport::ReadFile(file));

  for (const Case& c : kCases) {
    std::vector<std::string> arguments;
    std::string shown;
    for (const std::string& argument : c.arguments) {
      arguments.push_back(argument == "{EMPTY}" ? dir / "empty" : Placed(argument, dir.path().string(), db));
      shown += " " + argument;
    }
    SCOPED_TRACE("dictdump" + shown);
    const ProcessResult result = RunDictdump(arguments);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.err, Placed(c.err, dir.path().string(), db));
    EXPECT_NE(result.out.find(c.outHas), std::string::npos) << result.out;
  }
  for (size_t i = 0; i < refused.size(); ++i)
    EXPECT_EQ(testsupport::ReadFile(refused[i]), before[i]) << refused[i];
}

}  // namespace
}  // namespace dictdumptest
