// A fresh folder under /tmp for one test, removed with everything in it when
// the test ends.
#ifndef TESTS_SUPPORT_TEMP_DIR_H
#define TESTS_SUPPORT_TEMP_DIR_H

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // Path of `name` inside the folder.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Writes `text` to `path`, replacing it.
void WriteFile(const std::string& path, const std::string& text);
// The whole content of `path`; empty when it can't be read.
std::string ReadFile(const std::string& path);

}  // namespace testsupport

#endif  // TESTS_SUPPORT_TEMP_DIR_H
