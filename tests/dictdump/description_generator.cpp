#include "description_generator.h"

#include <algorithm>
#include <iterator>
#include <random>
#include <set>
#include <vector>

namespace dictdumptest {

namespace {

struct Column {
  std::string name;
  int type = 0;
  int offset = 0;
  int size = 0;
  std::string zero;  // a typed value of zero bytes: FALSE, 0, '' or 0.00; empty for none
};

// Columns that accept nulls in a nullable table, each with a value of zero
// bytes that its null indicator keeps apart from NULL.
struct ZeroColumn {
  const char* type;
  int size;
  const char* zero;
};
constexpr ZeroColumn kZeroColumns[] = {
    {"LOGICAL(1)", 1, "FALSE"}, {"BIT", 1, "FALSE"},         {"INTEGER(4)", 4, "0"},
    {"ZSTRING(6)", 6, "''"},    {"DECIMAL(4,2)", 4, "0.00"}, {"CURRENCY", 8, "0"},
};

class Generator {
 public:
  explicit Generator(uint32_t seed) : random_(seed) {}

  GeneratedDescription Run() {
    GeneratedDescription result;
    result.dataPassword = "data owner";
    if (Chance(3)) {
      result.masterPassword = "master " + std::to_string(Pick(0, 999));
      Line("SET MASTER PASSWORD '" + result.masterPassword + "'" + (Chance(2) ? " GUARDS CHANGES" : "") +
           ";");
    }
    if (Chance(4))
      Line("CREATE TABLE X$File IN 'PVFILE.DDF' NO FILE DICTIONARY (Xf$Id INTEGER(4), Xf$Name CHAR(20));");
    const int tables = Pick(1, 5);
    for (int t = 0; t < tables; ++t) Table(result.dataPassword);
    result.text = text_;
    return result;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }
  void Line(const std::string& line) { text_ += line + "\n"; }

  // Names unique without regard to case, some with spaces or carets.
  std::string Name(std::set<std::string>* taken) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (;;) {
      std::string name(1, kLetters[Pick(0, 51)]);
      const int length = Pick(0, 8);
      for (int i = 0; i < length; ++i) {
        const int kind = Pick(0, 12);
        name += kind == 0 ? ' ' : kind == 1 ? '^' : kind == 2 ? '_' : kLetters[Pick(0, 51)];
      }
      while (name.back() == ' ') name.pop_back();
      std::string folded = name;
      std::transform(folded.begin(), folded.end(), folded.begin(), ::tolower);
      if (folded == "on" || !taken->insert(folded).second) continue;
      return name;
    }
  }
  static std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

  // An explicit id above every one before it, leaving room for the ones
  // numbered automatically in between.
  std::string MaybeId(int64_t* next) {
    if (!Chance(3)) return "";
    *next += Pick(100, 900);
    return " ID " + std::to_string(*next);
  }

  std::string Hex(int bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (int i = 0; i < bytes * 2; ++i) hex += kDigits[Pick(0, 15)];
    return hex;
  }

  void Table(const std::string& dataPassword) {
    const std::string name = Name(&tableNames_);
    const bool hasFile = !Chance(5);
    std::string line = "CREATE TABLE " + Quoted(name) + MaybeId(&nextTableId_);
    if (Chance(2)) line += " IN 'data/t" + std::to_string(tableCount_) + ".DAT'";
    ++tableCount_;
    if (!hasFile) line += " NO FILE";
    const bool nullable = Chance(4);
    if (nullable) line += " NULLABLE";
    if (Chance(6)) line += " DICTIONARY";
    if (Chance(5)) line += " FLAGS " + std::to_string(Pick(0, 0x7FFF) << Pick(0, 16));
    if (Chance(3)) line += " PAGESIZE " + std::to_string(Pick(1, 65535));
    if (Chance(3)) line += " VERSION " + std::to_string(Pick(0, 255));
    if (Chance(4)) line += " VARIABLE";
    if (Chance(4)) line += " RECORD COMPRESSION";
    if (Chance(4)) line += " PAGE COMPRESSION";
    if (hasFile && Chance(4)) line += " OWNER '" + dataPassword + "'" + (Chance(2) ? " GUARDS CHANGES" : "");

    std::vector<Column> columns;
    std::set<std::string> columnNames;
    const int count = Pick(0, 6);
    int end = 0;
    line += " (";
    for (int c = 0; c < count; ++c) {
      Column column;
      column.name = Name(&columnNames);
      if (nullable && Chance(2)) {
        line += (c == 0 ? "\n  " : ",\n  ") + ZeroColumnText(&column, &end);
        columns.push_back(column);
        continue;
      }
      column.type = Chance(8) ? Pick(38, 255) : Pick(0, 37);
      if (column.type == 227 || column.type == 255) column.type = 12;
      column.size = Chance(10) ? 0 : Pick(1, 12);
      column.offset = Chance(4) ? Pick(0, end) : end;  // overlapping now and then
      end = std::max(end, column.offset + column.size);
      line += (c == 0 ? "\n  " : ",\n  ") + Quoted(column.name) + " TYPE " + std::to_string(column.type) +
              "(" + std::to_string(column.size);
      if (Chance(4)) line += ", " + std::to_string(Pick(0, 65535));
      line += ") AT " + std::to_string(column.offset) + MaybeId(&nextFieldId_);
      if (Chance(3)) line += " NULL";
      if (Chance(4)) line += " CASE INSENSITIVE";
      if (Chance(6)) line += " BINARY";
      if (Chance(6)) line += " FLAGS " + std::to_string(Pick(0, 0xFFFF) << 3);
      columns.push_back(column);
    }
    Line(line + (columns.empty() ? ");" : "\n);"));

    const bool keyed = Indexes(name, columns, hasFile);
    Constraints(name);
    if (hasFile && keyed && !columns.empty()) Rows(name, columns, end);
  }

  // A column of kZeroColumns, with a free byte before it for its null
  // indicator.
  std::string ZeroColumnText(Column* column, int* end) {
    const ZeroColumn& kind = kZeroColumns[Pick(0, static_cast<int>(std::size(kZeroColumns)) - 1)];
    column->offset = *end + 1;
    column->size = kind.size;
    column->zero = kind.zero;
    *end = column->offset + column->size;
    return Quoted(column->name) + " " + kind.type + " AT " + std::to_string(column->offset) + " NULL";
  }

  // Returns whether the data file gets a key (an index numbered 0 to 127),
  // without which its rows can't be read back.
  bool Indexes(const std::string& table, const std::vector<Column>& columns, bool hasFile) {
    std::vector<const Column*> keyable;
    for (const Column& column : columns)
      if (column.size > 0) keyable.push_back(&column);
    if (keyable.empty()) return false;
    std::set<std::string> names;
    bool keyed = false;
    int64_t next = 0;
    uniqueKeys_.clear();
    const int count = Pick(0, 3);
    for (int i = 0; i < count; ++i) {
      const bool unique = Chance(3);
      std::string line = unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
      if (!Chance(4)) line += Quoted(Name(&names)) + " ";
      line += "ON " + Quoted(table) + " (";
      std::vector<const Column*> segments;
      const int segmentCount = Pick(1, 3);
      for (int s = 0; s < segmentCount; ++s) {
        const Column* column = keyable[static_cast<size_t>(Pick(0, static_cast<int>(keyable.size()) - 1))];
        segments.push_back(column);
        line += (s == 0 ? "" : ", ") + Quoted(column->name);
        if (Chance(3)) line += " DESC";
        if (!unique && Chance(3)) line += " CASE INSENSITIVE";
        if (Chance(6)) line += " ACS";
        if (Chance(6)) line += " NULL KEY";
        if (Chance(6))
          line += " FLAGS " + std::to_string((Pick(0, 0xFF) << 7) | (s > 0 && Chance(2) ? 1 : 0));
      }
      line += ")";
      int64_t number = next;
      if (Chance(3)) {
        number = Chance(5) ? (i == 0 ? -Pick(1, 50) : next + 200) : next + Pick(0, 3);
        line += " NUMBER " + std::to_string(number);
      }
      next = number + 1;
      if (Chance(4)) line += " MODIFIABLE";
      if (line.find("INDEX \"") != std::string::npos) line += MaybeId(&nextFieldId_);
      Line(line + ";");
      const bool isKey = hasFile && number >= 0 && number <= 127;
      keyed = keyed || isKey;
      if (isKey && unique) uniqueKeys_.push_back(segments);
    }
    return keyed;
  }

  void Constraints(const std::string& table) {
    std::set<std::string> names;
    for (int i = Pick(0, 2); i > 0; --i) {
      Line("CREATE CONSTRAINT " + Quoted(Name(&names)) + " ON " + Quoted(table) + MaybeId(&nextFieldId_) +
           (Chance(2) ? " AT " + std::to_string(Pick(0, 100)) : "") + ";");
    }
  }

  // Random bytes for every column, some shorter than the column, some NULL;
  // a row whose unique keys repeat an earlier row's is left out.
  void Rows(const std::string& table, const std::vector<Column>& columns, int recordLength) {
    std::set<std::string> seenKeys;
    std::string line;
    int written = 0;
    for (int r = Pick(0, 8); r > 0; --r) {
      std::string record(static_cast<size_t>(recordLength), '\0');
      std::string row = "(";
      for (size_t c = 0; c < columns.size(); ++c) {
        const Column& column = columns[c];
        if (c != 0) row += ", ";
        const int zeroOrNull = column.zero.empty() ? (Chance(5) ? 0 : 2) : Pick(0, 2);
        if (zeroOrNull < 2) {
          row += zeroOrNull == 0 ? "NULL" : column.zero;  // the same zero bytes
          continue;
        }
        const int bytes = Chance(4) ? Pick(0, column.size) : column.size;
        const std::string hex = Hex(bytes);
        for (int b = 0; b < bytes; ++b)
          record[static_cast<size_t>(column.offset + b)] =
              static_cast<char>(std::stoi(hex.substr(static_cast<size_t>(2 * b), 2), nullptr, 16));
        for (int b = bytes; b < column.size; ++b) record[static_cast<size_t>(column.offset + b)] = '\0';
        row += "X'" + hex + "'";
      }
      bool repeats = false;
      for (size_t k = 0; k < uniqueKeys_.size(); ++k) {
        std::string key = std::to_string(k) + ":";
        for (const Column* column : uniqueKeys_[k])
          key += record.substr(static_cast<size_t>(column->offset), static_cast<size_t>(column->size));
        repeats = repeats || !seenKeys.insert(key).second;
      }
      if (repeats) continue;
      line += (written++ == 0 ? "\n  " : ",\n  ") + row + ")";
    }
    if (written != 0) Line("INSERT INTO " + Quoted(table) + " VALUES" + line + ";");
  }

  std::mt19937 random_;
  std::string text_;
  std::set<std::string> tableNames_;
  int tableCount_ = 0;
  int64_t nextTableId_ = 1000;
  int64_t nextFieldId_ = 100000;
  std::vector<std::vector<const Column*>> uniqueKeys_;
};

}  // namespace

GeneratedDescription GenerateDescription(uint32_t seed) { return Generator(seed).Run(); }

}  // namespace dictdumptest
