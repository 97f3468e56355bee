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
#include "page_format.h"
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
    // Key 0 takes duplicates here, so that a table id can be written twice.
    spec.keys = {{0, true, {IntegerAt(0)}},
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
      // "\0" in a name stands for a NUL byte.
      std::string name = fields[1];
      for (size_t at; (at = name.find("\\0")) != std::string::npos;) name.replace(at, 2, 1, '\0');
      std::memcpy(table.name, name.data(), name.size());
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

// A file's bytes, changed in place and written back; pages named by number
// at the page size its header gives.
class FileBytes {
 public:
  explicit FileBytes(std::string path) : path_(std::move(path)), bytes_(ReadFile(path_)) {}
  ~FileBytes() { WriteFile(path_, bytes_); }
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  std::string& Bytes() { return bytes_; }
  size_t PageSize() const { return size_t{1} << static_cast<uint8_t>(bytes_[recmgr::format::kHdrPageShift]); }
  uint8_t* At(size_t page, size_t offset) {
    return reinterpret_cast<uint8_t*>(bytes_.data()) + page * PageSize() + offset;
  }
  void Reseal(size_t page) {
    const uint32_t crc = recmgr::format::PageCrc(At(page, 0), static_cast<uint32_t>(PageSize()));
    std::memcpy(At(page, recmgr::format::kPageCrc), &crc, sizeof crc);
  }
  // Page and offset of index entry `index` of key `key`; sets *length to
  // the key value's bytes.
  std::pair<size_t, size_t> Entry(int key, size_t index, size_t* length) {
    namespace f = recmgr::format;
    for (size_t at = f::kHdrKeyTable;; at += f::kKeyDescSize) {
      const uint8_t* desc = At(0, at);
      if (desc[f::kKeyNumber] != key) continue;
      *length = desc[f::kKeyLength];
      uint32_t firstPage;
      std::memcpy(&firstPage, desc + f::kKeyFirstIndexPage, sizeof firstPage);
      const size_t size = *length + f::kEntryRecordNumberSize,
                   perPage = (PageSize() - f::kPageHeaderSize) / size;
      return {firstPage + index / perPage, f::kPageHeaderSize + index % perPage * size};
    }
  }

 private:
  std::string path_;
  std::string bytes_;
};

// "entries FILE KEY duplicate|swap|swap-records I J", the pages resealed:
// entry J made a copy of entry I; the two swapped; or only their record
// numbers swapped.
void DamageEntries(FileBytes& file, const std::vector<std::string>& words) {
  size_t length = 0;
  const auto [pageI, atI] = file.Entry(std::stoi(words[2]), std::stoul(words[4]), &length);
  const auto [pageJ, atJ] = file.Entry(std::stoi(words[2]), std::stoul(words[5]), &length);
  uint8_t* i = file.At(pageI, atI);
  uint8_t* j = file.At(pageJ, atJ);
  const size_t size = length + recmgr::format::kEntryRecordNumberSize;
  if (words[3] == "duplicate") std::memcpy(j, i, size);
  if (words[3] == "swap") std::swap_ranges(i, i + size, j);
  if (words[3] == "swap-records") std::swap_ranges(i + length, i + size, j + length);
  file.Reseal(pageI);
  file.Reseal(pageJ);
}

// The damage of one byte-level step: "truncate FILE N", "extend FILE N",
// "flip FILE PAGE OFFSET", "zero FILE PAGE OFFSET LENGTH", "set FILE PAGE
// OFFSET HEX...", "entries ..."; "reseal" at the end of flip, zero and set
// recomputes the page's checksum.
void DamageBytes(const std::string& path, std::vector<std::string> words) {
  FileBytes file(path);
  std::string& bytes = file.Bytes();
  const bool reseal = words.back() == "reseal";
  if (reseal) words.pop_back();
  if (words[0] == "truncate") bytes.resize(bytes.size() - std::stoul(words[2]));
  if (words[0] == "extend") bytes.append(std::stoul(words[2]), '\0');
  if (words[0] == "entries") DamageEntries(file, words);
  if (words[0] == "truncate" || words[0] == "extend" || words[0] == "entries") return;
  const size_t page = std::stoul(words[2]);
  uint8_t* at = file.At(page, std::stoul(words[3]));
  if (words[0] == "flip") *at ^= 0x01;
  if (words[0] == "zero") std::memset(at, 0, std::stoul(words[4]));
  if (words[0] == "set")
    for (size_t i = 4; i < words.size(); ++i)
      at[i - 4] = static_cast<uint8_t>(std::stoul(words[i], nullptr, 16));
  if (reseal) file.Reseal(page);
}

void Damage(const TempDir& dir, const std::string& steps) {
  for (const std::string& step : Lines(steps)) {
    const std::vector<std::string> words = Split(step, ' ');
    const std::string target = dir / ("out/" + words[1]);
    if (words[0] != "delete" && words[0] != "copy" && words[0] != "junk") {
      DamageBytes(target, words);
    } else if (words[0] == "delete") {
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
