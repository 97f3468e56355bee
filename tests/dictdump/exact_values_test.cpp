// Every value comes out exactly, and NULL apart from FALSE, 0, '' and 0.00:
// the types of exact_values.txt, each in a nullable table built by mkdict,
// dumped as mkdict text, JSON and CSV, and loaded into SQLite and
// PostgreSQL to be read back.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "dictdump_run.h"
#include "temp_dir.h"
#include "throwaway_cluster.h"

namespace dictdumptest {
namespace {

using testsupport::ProcessResult;
using testsupport::RunProcess;
using testsupport::TempDir;

struct Value {
  std::string text;      // as the mkdict format writes it
  std::string postgres;  // as PostgreSQL shows it
};

struct TypeCase {
  std::string type;  // the column's type in the description
  std::string postgresType;
  std::vector<Value> values;
};

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t at = 0;
  for (size_t found; (found = text.find(separator, at)) != std::string::npos; at = found + separator.size())
    parts.push_back(Trim(text.substr(at, found - at)));
  parts.push_back(Trim(text.substr(at)));
  return parts;
}

bool IsQuoted(const std::string& text) { return text.size() >= 2 && text.front() == '\''; }

// A quoted value's text: the quotes off, '' made '.
std::string Unquoted(const std::string& text) {
  std::string plain;
  for (size_t i = 1; i + 1 < text.size(); ++i) {
    plain += text[i];
    if (text[i] == '\'') ++i;
  }
  return plain;
}

std::vector<TypeCase> ReadCases() {
  std::ifstream in(std::string(TEST_SOURCE_DIR) + "/dictdump/exact_values.txt");
  std::vector<TypeCase> cases;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = Split(line, "|");
    TypeCase typeCase{fields.at(0), fields.at(1), {}};
    for (const std::string& value : Split(fields.at(2), ";")) {
      const std::vector<std::string> forms = Split(value, "=>");
      const std::string shown = IsQuoted(forms[0]) ? Unquoted(forms[0]) : forms[0];
      typeCase.values.push_back({forms[0], forms.size() > 1 ? forms[1] : shown});
    }
    cases.push_back(typeCase);
  }
  return cases;
}

std::string TableName(size_t i) { return "T" + std::to_string(i + 1); }

std::string Description(const std::vector<TypeCase>& cases) {
  std::string ddl;
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string table = TableName(i);
    ddl += "CREATE TABLE " + table + " NULLABLE (Id INTEGER(4), V " + cases[i].type + " NULL);\n";
    ddl += "CREATE UNIQUE INDEX ON " + table + " (Id);\nINSERT INTO " + table + " VALUES ";
    for (size_t v = 0; v < cases[i].values.size(); ++v)
      ddl += (v == 0 ? "(" : ", (") + std::to_string(v + 1) + ", " + cases[i].values[v].text + ")";
    ddl += ";\n";
  }
  return ddl;
}

// What each format shows of a value.
std::string InJson(const std::string& text) {
  if (text == "NULL" || text == "TRUE" || text == "FALSE") {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    return lower;
  }
  return IsQuoted(text) ? "\"" + Unquoted(text) + "\"" : text;
}
std::string InCsv(const std::string& text) {
  if (text == "NULL") return "";
  if (text == "''") return "\"\"";
  return IsQuoted(text) ? Unquoted(text) : text;
}
std::string InSqlite(const std::string& text) {
  if (text == "TRUE" || text == "FALSE") return text == "TRUE" ? "1" : "0";
  return IsQuoted(text) ? Unquoted(text) : text;
}

// The second field of each row line of one table in a dump: "(1, x)," in
// mkdict text, "[1, x]," in JSON; rows follow the line naming the table.
std::vector<std::string> RowValues(const std::string& dump, const std::string& tableMark, char open,
                                   char close) {
  std::vector<std::string> values;
  std::istringstream lines(dump);
  bool inTable = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(tableMark) != std::string::npos) {
      inTable = true;
      continue;
    }
    line = Trim(line);
    if (!inTable || line.empty() || line[0] != open) {
      if (inTable && !values.empty()) break;
      continue;
    }
    while (line.back() == ',' || line.back() == ';') line.pop_back();
    if (line.back() == close) line.pop_back();
    values.push_back(line.substr(line.find(", ") + 2));
  }
  return values;
}

// SELECTs that show one value a line, in row order.
std::string SqliteQuery(const std::vector<TypeCase>& cases) {
  std::string query;
  for (size_t i = 0; i < cases.size(); ++i)
    query += "SELECT CASE WHEN V IS NULL THEN 'NULL' ELSE printf('%s', V) END FROM " + TableName(i) +
             " ORDER BY Id;\n";
  return query;
}

std::vector<std::string> PostgresQueries(const std::vector<TypeCase>& cases) {
  std::vector<std::string> arguments = {"-At"};
  for (size_t i = 0; i < cases.size(); ++i) {
    const std::string table = "'\"" + TableName(i) + "\"'";
    arguments.insert(arguments.end(), {"-c",
                                       "SELECT format_type(atttypid, atttypmod) FROM pg_attribute "
                                       "WHERE attrelid = " +
                                           table + "::regclass AND attname = 'V'"});
    arguments.insert(arguments.end(), {"-c", "SELECT coalesce(\"V\"::text, 'NULL') FROM \"" + TableName(i) +
                                                 "\" ORDER BY \"Id\""});
  }
  return arguments;
}

class DictdumpExactValues : public ::testing::Test {
 protected:
  void SetUp() override {
    cases_ = ReadCases();
    ASSERT_FALSE(cases_.empty());
    const ProcessResult built = BuildDictionary(dir_ / "db", Description(cases_));
    ASSERT_EQ(built.exitCode, 0) << built.err;
    EXPECT_EQ(built.err, "");
  }

  ProcessResult Dump(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"-C", dir_ / "db"});
    ProcessResult dump = RunDictdump(arguments);
    EXPECT_EQ(dump.exitCode, 0) << dump.err;
    return dump;
  }

  // Every value of every case, as `form` shows it, a line each.
  template <typename Form>
  std::string Expected(Form form) const {
    std::string lines;
    for (const TypeCase& typeCase : cases_)
      for (const Value& value : typeCase.values) lines += form(value) + "\n";
    return lines;
  }

  std::vector<TypeCase> cases_;
  TempDir dir_;
};

TEST_F(DictdumpExactValues, MkdictJsonAndCsv) {
  const std::string mkdict = Dump({}).out;
  const std::string json = Dump({"--format", "json", "--data-only"}).out;
  for (size_t i = 0; i < cases_.size(); ++i) {
    SCOPED_TRACE(cases_[i].type);
    std::vector<std::string> asText, asJson, asCsv;
    for (const Value& value : cases_[i].values) {
      asText.push_back(value.text);
      asJson.push_back(InJson(value.text));
      asCsv.push_back("," + InCsv(value.text) + "\r");
    }
    EXPECT_EQ(RowValues(mkdict, "INSERT INTO \"" + TableName(i) + "\"", '(', ')'), asText);
    EXPECT_EQ(RowValues(json, "\"name\": \"" + TableName(i) + "\"", '[', ']'), asJson);
    std::istringstream csv(Dump({"--format", "csv", "--table", TableName(i)}).out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(csv, line);) lines.push_back(line.substr(line.find(',')));
    lines.erase(lines.begin());  // the header
    EXPECT_EQ(lines, asCsv);
  }
}

TEST_F(DictdumpExactValues, SqliteGivesBackTheDigits) {
  const std::string sql = dir_ / "sqlite.sql";
  Dump({"--format", "sql", "--dialect", "sqlite", "-o", sql});
  const ProcessResult load = RunProcess({"/usr/bin/sqlite3", "-bail", dir_ / "load.db", ".read " + sql});
  ASSERT_EQ(load.exitCode, 0) << load.err;
  const ProcessResult read = RunProcess({"/usr/bin/sqlite3", dir_ / "load.db", SqliteQuery(cases_)});
  EXPECT_EQ(read.out, Expected([](const Value& v) { return InSqlite(v.text); })) << read.err;
}

TEST_F(DictdumpExactValues, PostgresTypesAndValues) {
  ASSERT_NE(ThrowawayCluster::BinaryFolder(), "") << "no PostgreSQL server installed";
  ThrowawayCluster cluster(dir_);
  ASSERT_EQ(cluster.problem(), "");
  const std::string sql = dir_ / "postgres.sql";
  Dump({"--format", "sql", "--dialect", "postgres", "-o", sql});
  ASSERT_EQ(cluster.Psql("postgres", {"-f", sql}).exitCode, 0);
  const ProcessResult read = cluster.Psql("postgres", PostgresQueries(cases_));
  std::string expected;
  for (const TypeCase& typeCase : cases_) {
    expected += typeCase.postgresType + "\n";
    for (const Value& value : typeCase.values) expected += value.postgres + "\n";
  }
  EXPECT_EQ(read.out, expected) << read.err;
}

// Without an indicator (the table is not NULLABLE), a value of zero bytes
// in a column that accepts nulls reads back as NULL, and mkdict says so.
TEST(DictdumpNulls, ZeroWithoutIndicatorWarns) {
  TempDir dir;
  const ProcessResult built = BuildDictionary(
      dir / "db",
      "CREATE TABLE P (Id INTEGER(4), Gift LOGICAL NULL);\n"
      "CREATE UNIQUE INDEX ON P (Id);\nINSERT INTO P VALUES (1, FALSE), (2, TRUE), (3, 0);\n");
  ASSERT_EQ(built.exitCode, 0) << built.err;
  EXPECT_EQ(
      built.err,
      "mkdict: warning: table P column Gift: a value of zero bytes reads back as NULL (the table is not "
      "NULLABLE); rows with one: 2, the first row 1 of the statement at line 3\n");
  const ProcessResult dump = RunDictdump({"-C", dir / "db", "--format", "csv", "--table", "P"});
  EXPECT_EQ(dump.out, "Id,Gift\r\n1,\r\n2,TRUE\r\n3,\r\n");
}

}  // namespace
}  // namespace dictdumptest
