#include "output_files.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "morvel2/dictionary/dictionary_records.h"

namespace mkdict {
namespace fs = std::filesystem;

namespace {

// Creates the missing folders above `path`, remembering each one created.
bool CreateParents(const std::string& path, std::vector<fs::path>* created, std::string* failure) {
  fs::path parent = fs::path(path).parent_path();
  std::vector<fs::path> missing;
  std::error_code ignored;
  for (fs::path at = parent; !at.empty() && !fs::exists(at, ignored); at = at.parent_path()) {
    missing.push_back(at);
    if (at == at.parent_path()) break;
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    std::error_code code;
    if (!fs::create_directory(*it, code) && code) {
      *failure = "cannot create folder " + it->string() + ": " + code.message();
      return false;
    }
    created->push_back(*it);
  }
  return true;
}

void RemoveFolders(const std::vector<fs::path>& created) {
  for (auto it = created.rbegin(); it != created.rend(); ++it) {
    std::error_code ignored;
    fs::remove(*it, ignored);  // only empty folders go
  }
}

}  // namespace

std::string ResolvePath(const std::string& folder, const std::string& location) {
  fs::path path(location);
  if (path.is_absolute()) return location;
  return (fs::path(folder) / path).string();
}

bool CheckLocations(const Database& database, const std::string& folder, DescriptionError* error) {
  auto normal = [&](const std::string& location) {
    std::error_code ignored;
    return fs::absolute(ResolvePath(folder, location), ignored).lexically_normal().string();
  };
  std::unordered_map<std::string, std::string> owners;  // path → what lands there
  for (const char* name : {kFileDictionaryName, kFieldDictionaryName, kIndexDictionaryName}) {
    owners.emplace(normal(name), std::string("the dictionary file ") + name);
  }
  for (const Table& table : database.tables) {
    if (!table.hasDataFile) continue;
    auto [owner, added] = owners.emplace(normal(table.location), "the data file of table " + table.name);
    if (!added) {
      *error = {table.pos, "data file " + table.location + " of table " + table.name + " would overwrite " +
                               owner->second};
      return false;
    }
  }
  return true;
}

bool WriteAll(std::vector<OutputFile>* files, std::string* failure) {
  std::vector<fs::path> created;
  for (OutputFile& file : *files) {
    if (!CreateParents(file.path, &created, failure)) {
      RemoveFolders(created);
      return false;
    }
  }
  for (OutputFile& file : *files) {
    int16_t status = file.writer->Stage();
    if (status != 0) {
      *failure = "cannot write " + file.path + ": record manager status " + std::to_string(status);
      files->clear();  // abandons every staged temporary
      RemoveFolders(created);
      return false;
    }
  }
  for (OutputFile& file : *files) {
    int16_t status = file.writer->Commit();
    if (status != 0) {
      *failure = "cannot put " + file.path + " in place: record manager status " + std::to_string(status);
      return false;
    }
  }
  return true;
}

}  // namespace mkdict
