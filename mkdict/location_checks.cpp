#include "location_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>
#include <utility>

#include "commit_journal.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "output_files.h"

namespace mkdict {
namespace fs = std::filesystem;

namespace {

constexpr const char* kDictionaryFiles[] = {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName};

// The record manager's magic, at this offset of every file it writes
// (docs/file-format.md).
constexpr char kMagic[] = "RMGRFILE";
constexpr off_t kMagicOffset = 16;

bool IsRecordManagerFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char magic[sizeof kMagic - 1] = {};
  const bool match = pread(fd, magic, sizeof magic, kMagicOffset) == static_cast<ssize_t>(sizeof magic) &&
                     std::memcmp(magic, kMagic, sizeof magic) == 0;
  close(fd);
  return match;
}

// What lands on each path: for the messages.
struct Landings {
  std::map<std::string, std::string> byPath;                      // canonical path → what
  std::map<std::pair<dev_t, ino_t>, std::string> byExistingFile;  // hard links too

  // Adds `what` at `path`; returns the earlier owner of that path, or "".
  std::string Add(const std::string& path, const std::string& what) {
    auto [at, added] = byPath.emplace(CanonicalPath(path), what);
    if (!added) return at->second;
    struct stat info;
    if (stat(EntryPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      auto [file, fresh] = byExistingFile.emplace(std::make_pair(info.st_dev, info.st_ino), what);
      if (!fresh) return file->second;
    }
    return "";
  }
};

// Why `path` can't take a new file, or "".
std::string PlaceProblem(const std::string& path, const Landings& landings) {
  struct stat info;
  if (lstat(EntryPath(path).c_str(), &info) == 0) {
    if (S_ISLNK(info.st_mode)) return "is a symbolic link; mkdict replaces files, not links";
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (!S_ISREG(info.st_mode)) return "is not a regular file";
  }
  const fs::path canonical(CanonicalPath(path));
  for (fs::path above = canonical.parent_path(); above != above.parent_path(); above = above.parent_path()) {
    auto owner = landings.byPath.find(above.string());
    if (owner != landings.byPath.end()) return "would lie inside " + owner->second;
    if (stat(above.c_str(), &info) == 0) {
      return S_ISDIR(info.st_mode) ? "" : "would lie inside " + above.string() + ", which is not a folder";
    }
  }
  return "";
}

}  // namespace

std::string CanonicalPath(const std::string& path) {
  std::error_code code;
  fs::path absolute = fs::absolute(path, code);
  fs::path canonical = fs::weakly_canonical(absolute, code);
  return (code ? absolute.lexically_normal() : canonical).string();
}

std::string EntryPath(const std::string& path) {
  const fs::path given = fs::path(path).lexically_normal();
  const fs::path name = given.filename();
  if (name.empty() || name == "." || name == "..") return CanonicalPath(path);
  return (fs::path(CanonicalPath(given.parent_path().empty() ? "." : given.parent_path().string())) / name)
      .string();
}

bool CheckLocations(const Database& database, const std::string& folder, DescriptionError* error) {
  Landings landings;
  for (const char* name : kDictionaryFiles) {
    landings.Add(ResolvePath(folder, name), std::string("the dictionary file ") + name);
  }
  for (const char* name : {kPrepareJournalName, kCommitJournalName}) {
    landings.Add(ResolvePath(folder, name), std::string("the commit journal ") + name);
  }
  for (const Table& table : database.tables) {
    if (!table.hasDataFile) continue;
    const std::string owner =
        landings.Add(ResolvePath(folder, table.location), "the data file of table " + table.name);
    if (!owner.empty()) {
      *error = {table.pos,
                "data file " + table.location + " of table " + table.name + " would overwrite " + owner};
      return false;
    }
  }
  for (const Table& table : database.tables) {
    if (!table.hasDataFile) continue;
    const std::string problem = PlaceProblem(ResolvePath(folder, table.location), landings);
    if (!problem.empty()) {
      *error = {table.pos, "data file " + table.location + " of table " + table.name + " " + problem};
      return false;
    }
  }
  return true;
}

bool CheckExistingFiles(const Database& database, const std::string& folder, bool replace,
                        std::string* failure) {
  std::vector<std::pair<std::string, bool>> targets;  // path, is a dictionary file
  for (const char* name : kDictionaryFiles) targets.emplace_back(ResolvePath(folder, name), true);
  for (const Table& table : database.tables) {
    if (table.hasDataFile) targets.emplace_back(ResolvePath(folder, table.location), false);
  }
  std::string firstExisting;
  bool dictionaryExists = false;
  for (const auto& [path, isDictionary] : targets) {
    struct stat info;
    if (lstat(EntryPath(path).c_str(), &info) != 0) continue;
    if (!IsRecordManagerFile(EntryPath(path))) {
      *failure = path + " exists and was not written by the record manager; mkdict never replaces it";
      return false;
    }
    if (firstExisting.empty()) firstExisting = path;
    dictionaryExists = dictionaryExists || isDictionary;
  }
  if (replace || firstExisting.empty()) return true;
  *failure = dictionaryExists ? folder + " holds a dictionary already; --replace replaces it"
                              : firstExisting + " exists already; --replace replaces it";
  return false;
}

}  // namespace mkdict
