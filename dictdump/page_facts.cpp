#include "page_facts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>

#include "morvel2/common/fixed_text.h"
#include "morvel2/dictionary/report_limits.h"
#include "morvel2/dictionary/type_name_table.h"
#include "sql_names.h"

namespace dictdump {

namespace {

constexpr size_t kLinkNameLength = 48;
constexpr int kBlobTypeCode = 21;

// Names some systems keep for devices, and the markdown index's own.
bool Reserved(const std::string& slug) {
  if (slug == "readme" || slug == "con" || slug == "prn" || slug == "aux" || slug == "nul") return true;
  // com1..com9, lpt1..lpt9
  return slug.size() == 4 && (slug.starts_with("com") || slug.starts_with("lpt")) && slug[3] >= '0' &&
         slug[3] <= '9';
}

// FNV-1a, 32 bits.
uint32_t NameHash(std::string_view name) {
  uint32_t hash = 2166136261U;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619U;
  }
  return hash;
}

// The lower-case slug, and whether it stands for the name unchanged but
// for case.
std::string Slug(std::string_view name, bool* exact) {
  std::string slug;
  *exact = true;
  for (char c : name) {
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9')) {
      slug += lower;
    } else {
      *exact = false;
      if (!slug.empty() && slug.back() != '-') slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  if (slug.size() > kLinkNameLength) {
    slug.resize(kLinkNameLength);
    *exact = false;
  }
  return slug;
}

}  // namespace

std::string ShownName(std::string_view stored) {
  std::string name(stored);
  std::replace(name.begin(), name.end(), '^', ' ');
  return ValidUtf8(name);
}

std::string ShownFieldName(const FieldRecord& field) {
  return ShownName(TrimmedFixedText(field.name, kNameWidth));
}

std::vector<std::string> LinkNames(const std::vector<const TableSchema*>& tables) {
  std::vector<std::string> links;
  std::vector<bool> exact(tables.size());
  std::map<std::string, int> uses;
  links.reserve(tables.size());
  for (size_t i = 0; i < tables.size(); ++i) {
    bool same = false;
    links.push_back(Slug(tables[i]->name, &same));
    exact[i] = same;
    ++uses[links.back()];
  }
  for (size_t i = 0; i < tables.size(); ++i) {
    std::string& link = links[i];
    if (!exact[i] || uses[link] > 1 || link.empty() || Reserved(link)) {
      char suffix[16];
      std::snprintf(suffix, sizeof suffix, "%s%08x", link.empty() ? "" : "-", NameHash(tables[i]->name));
      link += suffix;
    }
  }
  // Two hashes alike under one slug: a counter keeps them apart.
  std::map<std::string, int> taken;
  for (std::string& link : links)
    if (const int n = taken[link]++; n > 0) link += "-" + std::to_string(n + 1);
  return links;
}

std::string ReportTypeName(int typeCode) {
  char text[kTypeNameWidth + 1];
  FormatTypeName(TypeIndexOf(typeCode), text);
  return TrimmedFixedText(text, kTypeNameWidth);
}

std::string DecimalsOrCase(const FieldRecord& field) {
  if (IsStringType(field.typeCode))
    return (field.flags & kFieldCaseInsensitive) ? "insensitive" : "sensitive";
  if (field.typeCode == kBlobTypeCode) return (field.flags & kFieldBlobBinary) ? "binary" : "text";
  return std::to_string(field.decimals);
}

bool IndexUnique(const IndexSchema& index) {
  return !index.segments.empty() && !(index.segments.front().flags & kSegmentDuplicates);
}

bool IndexModifiable(const IndexSchema& index) {
  return !index.segments.empty() && (index.segments.front().flags & kSegmentModifiable);
}

std::optional<uint32_t> UniqueValues(const DataFile& data, int32_t indexNumber) {
  if (data.state != DataFileState::kOpen) return std::nullopt;
  for (const KeyStatistics& key : data.keys)
    if (key.number == indexNumber) return key.uniqueValues;
  return std::nullopt;
}

const char* SegmentCase(const TableSchema& table, const IndexRecord& segment) {
  const FieldRecord* field = FindColumn(table, segment.fieldId);
  if (field == nullptr || !IsStringType(field->typeCode)) return "n/a";
  if (segment.flags & kSegmentAlternateCollation) return "ACS";
  if (segment.flags & kSegmentCaseInsensitive) return "insensitive";
  return "sensitive";
}

const char* FileKind(const TableSchema& table) {
  return (table.file.flags & kTableDictionary) ? "Dictionary" : "Data";
}

bool TableNullable(const TableSchema& table) { return (table.file.flags & kTableNullable) != 0; }

const char* OwnerModeWords(const DataFile& data) {
  switch (data.owner.mode) {
    case OwnerMode::kNone: return "none";
    case OwnerMode::kGuardsAll: return "guards every open";
    case OwnerMode::kGuardsChanges: return "guards changes only";
  }
  return "none";
}

const char* DataFileStateWords(const DataFile& data) {
  switch (data.state) {
    case DataFileState::kMissing: return "not available (no file)";
    case DataFileState::kDictionaryFile: return "not available (a dictionary file)";
    case DataFileState::kOpen: return "open";
    case DataFileState::kUnreadable: return "not available (could not be opened)";
  }
  return "not available";
}

void Totals::Add(const TableSchema& table, const DataFile& data) {
  ++tables;
  fields += table.columns.size();
  indexes += table.indexes.size();
  if (data.state != DataFileState::kOpen) return;
  rows += RecordCount(data);
  bytes += uint64_t{RecordCount(data)} * RecordLength(data);
}

std::string Grouped(uint64_t value) {
  std::string digits = std::to_string(value);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
  return digits;
}

std::string QuotedCommand(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& arg : arguments) {
    if (!line.empty()) line += ' ';
    const bool plain = !arg.empty() && arg.find_first_not_of(
                                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                           "0123456789-_./=:,+@%") == std::string_view::npos;
    if (plain) {
      line += arg;
      continue;
    }
    line += '\'';
    for (char c : arg) line += c == '\'' ? std::string("'\\''") : std::string(1, c);
    line += '\'';
  }
  return ValidUtf8(line);
}

std::string TimeMade() {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (*end == '\0' && seconds >= 0) now = static_cast<std::time_t>(seconds);
  }
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[64];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", &utc);
  return text;
}

}  // namespace dictdump
