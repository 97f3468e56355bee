// Writes the benchmark schema: N tables of 50 columns and 5 named
// two-segment indexes, with 100 rows each, either as a mkdict description
// or as SQL for the sqlite3 shell. The same numbers make the same schema in
// both, so the two tools describe the same database.
//
//   bench_schema_generator TABLES ddl|sql
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kColumns = 50;
constexpr int kRows = 100;

// One column kind per column number modulo 10; the sizes add up to a
// 355-byte record.
struct ColumnKind {
  const char* ddlType;  // mkdict type and options
  const char* sqlType;  // the SQLite column declaration
};

constexpr ColumnKind kKinds[10] = {
    {"INTEGER(4)", "INTEGER NOT NULL"},
    {"CHAR(16) CASE INSENSITIVE", "CHAR(16) COLLATE NOCASE"},
    {"DECIMAL(6,2) NULL", "DECIMAL(11,2)"},
    {"DATE", "DATE"},
    {"UNSIGNED(4)", "INTEGER"},
    {"CHAR(8)", "CHAR(8)"},
    {"LOGICAL", "BOOLEAN"},
    {"FLOAT", "REAL"},
    {"ZSTRING(12)", "VARCHAR(11)"},
    {"BLOB(8) BINARY", "BLOB"},
};

// Index k: its name, its two columns, and whether it is unique.
struct IndexShape {
  const char* name;
  int first;
  const char* firstOptions;  // mkdict segment options
  int second;
  const char* secondOptions;
  bool unique;
  const char* ddlOptions;  // after the segment list
};

constexpr IndexShape kIndexes[5] = {
    {"PrimaryKey", 0, "", 1, "", true, ""},
    {"ByCode", 4, "", 5, "", false, ""},
    {"ByName", 11, " CASE INSENSITIVE", 10, "", false, ""},
    {"ByDate", 3, "", 14, " DESC", false, ""},
    {"ByReference", 15, "", 20, "", false, " MODIFIABLE"},
};

std::string TableName(int table) {
  char name[32];
  std::snprintf(name, sizeof name, "Table_%04d", table);
  return name;
}

std::string ColumnName(int column) {
  char name[32];
  std::snprintf(name, sizeof name, "Column_%02d", column);
  return name;
}

// The value of a column in a row, written so that both languages read it;
// index 0's columns (0 and 1) are unique per row.
std::string Value(int table, int row, int column, bool sql) {
  char text[64];
  switch (column % 10) {
    case 0: std::snprintf(text, sizeof text, "%d", row * 10 + column / 10); break;
    case 1: std::snprintf(text, sizeof text, "'Name %03d-%d'", row, table % 1000); break;
    case 2: std::snprintf(text, sizeof text, "%d.%02d", row * 3, column); break;
    case 3: std::snprintf(text, sizeof text, sql ? "x'%02X07E807'" : "X'%02X07E807'", row % 28 + 1); break;
    case 4: std::snprintf(text, sizeof text, "%d", (row * 7 + column) % 13); break;
    case 5: std::snprintf(text, sizeof text, "'C%05d'", (row * 31) % 97); break;
    case 6: std::snprintf(text, sizeof text, "%d", row % 2); break;
    case 7: std::snprintf(text, sizeof text, "%d.5", row); break;
    case 8: std::snprintf(text, sizeof text, "'z%d'", row + column); break;
    default: return "NULL";
  }
  return text;
}

void WriteTable(std::string& out, int table, bool sql) {
  const std::string name = TableName(table);
  out += "CREATE TABLE " + name;
  if (!sql) out += " IN 'data/" + name + ".DAT'";
  out += " (\n";
  for (int c = 0; c < kColumns; ++c) {
    out += "  " + ColumnName(c) + " " + (sql ? kKinds[c % 10].sqlType : kKinds[c % 10].ddlType);
    out += c + 1 < kColumns ? ",\n" : "\n";
  }
  out += ");\n";
  for (const IndexShape& index : kIndexes) {
    out += index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
    // SQLite index names are global; the dictionary's are per table.
    out += sql ? name + "_" + index.name : std::string(index.name);
    out += " ON " + name + " (" + ColumnName(index.first);
    if (!sql) out += index.firstOptions;
    out += ", " + ColumnName(index.second);
    out += sql ? "" : index.secondOptions;
    out += ")";
    if (!sql) out += index.ddlOptions;
    out += ";\n";
  }
  out += "INSERT INTO " + name + " VALUES\n";
  for (int r = 0; r < kRows; ++r) {
    out += "  (";
    for (int c = 0; c < kColumns; ++c) {
      if (c > 0) out += ", ";
      out += Value(table, r, c, sql);
    }
    out += r + 1 < kRows ? "),\n" : ");\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[2], "ddl") != 0 && std::strcmp(argv[2], "sql") != 0)) {
    std::fputs("usage: bench_schema_generator TABLES ddl|sql\n", stderr);
    return 2;
  }
  const int tables = std::atoi(argv[1]);
  const bool sql = std::strcmp(argv[2], "sql") == 0;
  std::string out;
  if (sql) out += "BEGIN;\n";
  for (int t = 1; t <= tables; ++t) {
    WriteTable(out, t, sql);
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
  }
  if (sql) out += "COMMIT;\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
