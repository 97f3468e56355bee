// Writes the one-table load of the benchmark: a table of 5 columns and 2
// indexes (one unique) with ROWS rows, as a mkdict description or as SQL for
// the sqlite3 shell (one transaction). Both get the same statements: the
// table, its indexes, then INSERTs of 500 rows each.
//
//   bench_rows_generator ROWS ddl|sql
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr long kRowsPerInsert = 500;
constexpr long kIdStep = 7919;  // a prime: ids come in a scattered order

void WriteRow(std::string& out, long row, long rows) {
  char text[160];
  std::snprintf(text, sizeof text, "(%ld, 'Customer %06ld', %ld, 'C%05ld', %ld.%02ld)",
                (row * kIdStep) % rows, (row * 31) % 100000, row % 1000, (row * 13) % 9973, row % 5000,
                row % 100);
  out += text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[2], "ddl") != 0 && std::strcmp(argv[2], "sql") != 0)) {
    std::fputs("usage: bench_rows_generator ROWS ddl|sql\n", stderr);
    return 2;
  }
  const long rows = std::atol(argv[1]);
  const bool sql = std::strcmp(argv[2], "sql") == 0;
  std::string out;
  if (sql) out += "BEGIN;\n";
  out += sql ? "CREATE TABLE Orders (Id INTEGER NOT NULL, Name CHAR(16) COLLATE NOCASE, Quantity INTEGER,\n"
               "  Code CHAR(6), Price DECIMAL(7,2));\n"
             : "CREATE TABLE Orders (Id INTEGER, Name CHAR(16) CASE INSENSITIVE, Quantity INTEGER,\n"
               "  Code CHAR(6), Price DECIMAL(7,2));\n";
  out += "CREATE UNIQUE INDEX OrderKey ON Orders (Id);\n";
  out += sql ? "CREATE INDEX ByName ON Orders (Name, Quantity);\n"
             : "CREATE INDEX ByName ON Orders (Name CASE INSENSITIVE, Quantity);\n";
  for (long row = 0; row < rows; ++row) {
    out += row % kRowsPerInsert == 0 ? "INSERT INTO Orders VALUES\n  " : ",\n  ";
    WriteRow(out, row, rows);
    if (row % kRowsPerInsert == kRowsPerInsert - 1 || row + 1 == rows) out += ";\n";
    if (out.size() > (size_t{1} << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  if (sql) out += "COMMIT;\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
