#include "output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "morvel2/common/hex_text.h"

namespace dictdump {

namespace {

// Large enough that handing it on costs little beside the bytes; small
// enough that touching its pages for the first time (a page fault each)
// costs little too: a quarter of a megabyte.
constexpr size_t kBufferSize = 1 << 18;

// Written straight into rather than replaced: anything that is not a
// regular file (a FIFO, a terminal, a device), and whatever is reached
// through /dev or /proc (/dev/stdout among them), whose names stand for a
// file already open.
bool WrittenStraight(const std::string& path) {
  if (path.starts_with("/dev/") || path.starts_with("/proc/")) return true;
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

// Where the symbolic links `path` may be lead, to the file (which may not
// exist yet) that is replaced: a link stays a link.
std::string LinkTarget(const std::string& path) {
  namespace fs = std::filesystem;
  fs::path target = path;
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(target, error); ++hops) {
    const fs::path next = fs::read_symlink(target, error);
    if (error) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target.string();
}

// A new temporary beside `target`, with the mode a new file gets; null when
// it can't be made.
FILE* OpenTemporaryBeside(const std::string& target, std::string* temporary) {
  *temporary = target + ".dictdump-XXXXXX";
  const int fd = mkstemp(temporary->data());
  if (fd < 0) return nullptr;
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(temporary->c_str());
  }
  return file;
}

}  // namespace

bool Output::Open(const std::string& path, std::string* problem) {
  if (!path.empty()) {
    path_ = path;
    if (WrittenStraight(path)) {
      file_ = std::fopen(path.c_str(), "wb");
    } else {
      replaced_ = LinkTarget(path);
      file_ = OpenTemporaryBeside(replaced_, &temporary_);
    }
    if (file_ == nullptr) {
      *problem = "cannot write " + path + ": " + std::strerror(errno);
      file_ = stdout;
      temporary_.clear();
      return false;
    }
  }
  buffer_.resize(kBufferSize);
  next_ = buffer_.data();
  end_ = next_ + buffer_.size();
  return true;
}

void Output::Drain() {
  fwrite_unlocked(buffer_.data(), 1, static_cast<size_t>(next_ - buffer_.data()), file_);
  next_ = buffer_.data();
}

void Output::PutLong(std::string_view text) {
  Drain();
  if (text.size() >= buffer_.size()) {
    fwrite_unlocked(text.data(), 1, text.size(), file_);
    return;
  }
  std::memcpy(next_, text.data(), text.size());
  next_ += text.size();
}

bool Output::Finish(std::string* problem) {
  const std::string name = path_.empty() ? "standard output" : path_;
  if (next_ != nullptr) Drain();
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  if (!ok) *problem = "cannot write " + name + ": " + std::strerror(errno);
  if (file_ == stdout) return ok;
  if (std::fclose(file_) != 0 && ok) {
    *problem = "cannot write " + name + ": " + std::strerror(errno);
    ok = false;
  }
  file_ = stdout;
  if (temporary_.empty()) return ok;
  if (ok && std::rename(temporary_.c_str(), replaced_.c_str()) != 0) {
    *problem = "cannot write " + name + ": " + std::strerror(errno);
    ok = false;
  }
  if (!ok) std::remove(temporary_.c_str());
  temporary_.clear();
  return ok;
}

void Output::Abandon() {
  next_ = buffer_.data();
  if (file_ == stdout) return;
  std::fclose(file_);
  file_ = stdout;
  if (!temporary_.empty()) std::remove(temporary_.c_str());
  temporary_.clear();
}

void Output::PutHex(std::span<const std::byte> bytes) {
  char digits[512];
  while (!bytes.empty()) {
    const std::span<const std::byte> part = bytes.first(std::min(bytes.size(), sizeof digits / 2));
    Put(std::string_view(digits, static_cast<size_t>(WriteHex(part, digits) - digits)));
    bytes = bytes.subspan(part.size());
  }
}

}  // namespace dictdump
