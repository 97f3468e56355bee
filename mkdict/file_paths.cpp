#include "file_paths.h"

#include <filesystem>
#include <system_error>

namespace mkdict {
namespace fs = std::filesystem;

std::string ResolvePath(const std::string& folder, const std::string& location) {
  fs::path path(location);
  if (path.is_absolute()) return location;
  return (fs::path(folder) / path).string();
}

bool LeavesFolder(const std::string& location) {
  const fs::path path(location);
  if (path.is_absolute()) return false;
  const fs::path normal = path.lexically_normal();
  return !normal.empty() && *normal.begin() == "..";
}

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

}  // namespace mkdict
