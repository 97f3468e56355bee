// Column values both ways, from the cases in value_cases.txt: mkdict writes
// each value as the bytes given (or fails with the error given), and the
// shared text form prints those bytes back as the value.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "file_dump.h"
#include "mkdict_run.h"
#include "morvel2/dictionary/column_types.h"
#include "morvel2/dictionary/value_text.h"

namespace mkdicttest {
namespace {

using testsupport::TempDir;

struct ValueCase {
  int line = 0;
  std::string type;     // as a description writes it: "DECIMAL(4,2)"
  std::string value;    // as a description writes it: "-12.5", "'ab'", "X'0102'"
  std::string bytes;    // lower-case hex; empty for an error
  std::string error;    // after "in.ddl:2:23: "
  std::string printed;  // the printed form, when it is not `value`
};

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<ValueCase> ReadCases() {
  std::ifstream in(std::string(TEST_SOURCE_DIR) + "/mkdict/value_cases.txt");
  std::vector<ValueCase> cases;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string> parts;
    for (size_t at = 0;;) {
      size_t bar = text.find('|', at);
      parts.push_back(Trim(text.substr(at, bar - at)));
      if (bar == std::string::npos) break;
      at = bar + 1;
    }
    ValueCase c{line, parts.at(0), parts.at(1), "", "", parts.size() > 3 ? parts[3] : parts.at(1)};
    (parts.at(2)[0] == '!' ? c.error : c.bytes) = parts.at(2)[0] == '!' ? Trim(parts[2].substr(1)) : parts[2];
    cases.push_back(c);
  }
  return cases;
}

// The shape of a column declared as `type`: "NUMERICSTS(4,1)", "TYPE 99(4)", "DATE".
ColumnShape ShapeOf(const std::string& type) {
  size_t open = type.find('(');
  std::string word = type.substr(0, open);
  ColumnShape shape;
  if (word.rfind("TYPE ", 0) == 0) {
    shape.typeCode = std::stoi(word.substr(5));
  } else {
    const ColumnType* known = FindColumnType(word);
    shape.typeCode = known->code;
    shape.size = static_cast<uint32_t>(known->defaultSize);
  }
  if (open != std::string::npos) {
    size_t comma = type.find(',', open);
    shape.size = static_cast<uint32_t>(std::stoul(type.substr(open + 1)));
    if (comma != std::string::npos)
      shape.decimals = static_cast<uint16_t>(std::stoul(type.substr(comma + 1)));
  }
  return shape;
}

// A printed value as a description writes it.
std::string Literal(const ValueText& value) {
  switch (value.kind) {
    case ValueKind::kString: {
      std::string quoted = "'";
      for (char c : value.text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
      return quoted + "'";
    }
    case ValueKind::kHex: return "X'" + value.text + "'";
    default: return value.text;
  }
}

std::string Unhex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

std::string Ddl(const std::string& table, const ValueCase& c) {
  return "CREATE TABLE " + table + " (A " + c.type + ");\nINSERT INTO " + table + " VALUES (" + c.value +
         ");\n";
}

TEST(Values, WrittenAsTheirBytesAndPrintedBack) {
  const std::vector<ValueCase> cases = ReadCases();
  ASSERT_GT(cases.size(), 50u);
  std::string ddl;
  for (size_t i = 0; i < cases.size(); ++i) {
    if (cases[i].error.empty())
      ddl += Ddl("T" + std::to_string(i), cases[i]) + "CREATE INDEX ON T" + std::to_string(i) + " (A);\n";
  }
  TempDir dir;
  auto run = RunMkdict(dir, ddl);
  ASSERT_EQ(run.err, "");
  for (size_t i = 0; i < cases.size(); ++i) {
    const ValueCase& c = cases[i];
    SCOPED_TRACE("value_cases.txt:" + std::to_string(c.line) + ": " + c.type + " " + c.value);
    if (!c.error.empty()) {
      TempDir one;
      auto failed = RunMkdict(one, Ddl("T", c));
      EXPECT_EQ(failed.err, "in.ddl:2:23: " + c.error + "\n");
      EXPECT_EQ(failed.exitCode, 1);
      continue;
    }
    std::string dump = DumpDataFile(dir / ("out/T" + std::to_string(i) + ".DAT"), 0);
    size_t record = dump.find("record ");
    ASSERT_NE(record, std::string::npos) << dump;
    EXPECT_EQ(dump.substr(record + 7, dump.size() - record - 8), c.bytes);

    std::string bytes = Unhex(c.bytes);
    ColumnShape shape = ShapeOf(c.type);
    ValueText printed = FormatValueText(shape, std::as_bytes(std::span(bytes.data(), bytes.size())));
    EXPECT_EQ(Literal(printed), c.printed);
    std::string back(bytes.size(), '\0');
    std::string reason;
    EXPECT_TRUE(
        ParseValueText(shape, printed, std::as_writable_bytes(std::span(back.data(), back.size())), &reason))
        << reason;
    EXPECT_EQ(back, bytes);
  }
}

}  // namespace
}  // namespace mkdicttest
