// dictcheck end to end, one row per case of dictcheck_cases.txt: a
// dictionary built by mkdict, damaged, checked; the whole output and the
// exit code compared. Dictionary files mkdict would refuse to write are
// written with the engine's writer.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "mkdict_run.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "named_case.h"
#include "recmgr/writer.h"

namespace {

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

struct CheckCase : testsupport::NamedCase {
  std::map<std::string, std::string> sections;  // "ddl", "other ddl", "damage", "out", ...
};

std::vector<CheckCase> LoadCases() {
  static std::deque<std::string> names;  // the cases' names live as long as the tests
  std::ifstream in(TEST_SOURCE_DIR "/dictcheck/dictcheck_cases.txt");
  std::vector<CheckCase> cases;
  std::string line, section;
  while (std::getline(in, line)) {
    if (line.starts_with("=== ")) {
      cases.push_back({{names.emplace_back(line.substr(4)).c_str()}, {}});
      section.clear();
    } else if (line.starts_with("--- ")) {
      section = line.substr(4);
      // "ddl sample": the bundled sample, then any lines given.
      const bool sample = section == "ddl sample";
      if (sample) section = "ddl";
      cases.back().sections[section] = sample ? "sample\n" : "";
    } else if (!section.empty()) {
      cases.back().sections[section] += line + "\n";
    }
  }
  return cases;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);)
    if (!part.empty()) parts.push_back(part);
  return parts;
}

// "%repeat N TEXT" lines become TEXT N times, each # the count.
std::string ExpandDescription(const std::string& text) {
  std::string expanded;
  for (const std::string& line : Lines(text)) {
    if (!line.starts_with("%repeat ")) {
      expanded += line + "\n";
      continue;
    }
    const size_t space = line.find(' ', 8);
    const int count = std::stoi(line.substr(8, space - 8));
    for (int i = 1; i <= count; ++i) {
      std::string copy = line.substr(space + 1);
      for (size_t at; (at = copy.find('#')) != std::string::npos;) copy.replace(at, 1, std::to_string(i));
      expanded += copy + "\n";
    }
  }
  return expanded;
}

void Build(const TempDir& dir, const std::string& ddl, const std::string& folder) {
  const std::string text = ddl.starts_with("sample\n")
                               ? ReadFile(PROJECT_SOURCE_DIR "/sample/shop.ddl") + ddl.substr(7)
                               : ExpandDescription(ddl);
  const auto result = mkdicttest::RunMkdict(dir, text, {"in.ddl", "-o", folder});
  ASSERT_EQ(result.exitCode, 0) << result.err;
}

recmgr::KeySegment IntegerAt(uint16_t offset) {
  return {offset, 4, recmgr::SegmentType::kSignedInteger, false};
}

// Rewrites a dictionary file from "|"-separated rows; the name key is
// case-sensitive, so names mkdict keeps apart by case can be written.
void RewriteDictionary(const std::string& path, const std::string& file, const std::string& rows) {
  recmgr::FileSpec spec;
  if (file == kFileDictionaryName) {
    spec.recordLength = kFileRecordSize;
    spec.keys = {{0, false, {IntegerAt(0)}},
                 {1, false, {{4, kNameWidth, recmgr::SegmentType::kString, false}}}};
  } else {
    spec.recordLength = kIndexRecordSize;
    spec.keys = {{0, true, {IntegerAt(0)}},
                 {1, true, {IntegerAt(4)}},
                 {2, false, {IntegerAt(0), IntegerAt(8), IntegerAt(12)}}};
  }
  std::unique_ptr<recmgr::FileWriter> writer;
  ASSERT_EQ(recmgr::FileWriter::Create(path, spec, &writer).Message(), "");
  for (const std::string& row : Lines(rows)) {
    const std::vector<std::string> fields = Split(row, '|');
    std::string record(spec.recordLength, '\0');
    if (file == kFileDictionaryName) {
      FileRecord table{};
      table.tableId = std::stoi(fields[0]);
      std::memset(table.name, ' ', sizeof table.name + sizeof table.location);
      std::memcpy(table.name, fields[1].data(), fields[1].size());
      std::memcpy(table.location, fields[2].data(), fields[2].size());
      std::memcpy(record.data(), &table, sizeof table);
    } else {
      const IndexRecord segment{std::stoi(fields[0]), std::stoi(fields[1]), std::stoi(fields[2]),
                                std::stoi(fields[3]), static_cast<uint32_t>(std::stoul(fields[4]))};
      std::memcpy(record.data(), &segment, sizeof segment);
    }
    ASSERT_EQ(writer->Add(std::as_bytes(std::span(record))).Message(), "");
  }
  ASSERT_EQ(writer->Finish().Message(), "");
}

void Damage(const TempDir& dir, const std::string& steps) {
  for (const std::string& step : Lines(steps)) {
    const std::vector<std::string> words = Split(step, ' ');
    const std::string target = dir / ("out/" + words[1]);
    if (words[0] == "delete") {
      ASSERT_TRUE(std::filesystem::remove(target)) << step;
    } else if (words[0] == "copy") {
      std::filesystem::copy_file(dir / ("other/" + words[1]), target,
                                 std::filesystem::copy_options::overwrite_existing);
    } else {
      ASSERT_EQ(words[0], "junk");
      WriteFile(target, "not a record-manager file\n");
    }
  }
}

// The case's dictionary, built and damaged in dir/out.
void Prepare(const TempDir& dir, const std::map<std::string, std::string>& sections) {
  for (const auto& [section, text] : sections) {
    if (section == "ddl") {
      Build(dir, text, "out");
    } else if (section == "other ddl") {
      Build(dir, text, "other");
    }
  }
  if (sections.count("damage")) Damage(dir, sections.at("damage"));
  for (const char* file : {kFileDictionaryName, kIndexDictionaryName}) {
    if (sections.count(file)) RewriteDictionary(dir / ("out/" + std::string(file)), file, sections.at(file));
  }
}

class DictcheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(DictcheckTest, PrintsEveryProblemOnce) {
  const CheckCase& c = GetParam();
  const TempDir dir;
  const auto has = [&](const char* section) { return c.sections.count(section) > 0; };
  ASSERT_NO_FATAL_FAILURE(Prepare(dir, c.sections));

  std::vector<std::string> argv = {DICTCHECK_BIN};
  for (const std::string& argument : Split(has("run") ? Lines(c.sections.at("run"))[0] : "-C out", ' '))
    argv.push_back(argument);
  testsupport::ProcessOptions options;
  options.workingDirectory = dir.str();
  const auto result = testsupport::RunProcess(argv, options);

  EXPECT_EQ(result.out, has("out") ? c.sections.at("out") : "");
  if (has("err")) {
    EXPECT_EQ(result.err, c.sections.at("err"));
  }
  EXPECT_EQ(result.exitCode, std::stoi(c.sections.at("exit")));
}

INSTANTIATE_TEST_SUITE_P(Cases, DictcheckTest, testing::ValuesIn(LoadCases()), testsupport::CaseName());

}  // namespace
