#include "output.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace dictdump {

namespace {

constexpr size_t kBufferSize = 1 << 20;

}  // namespace

bool Output::Open(const std::string& path, std::string* problem) {
  if (!path.empty()) {
    path_ = path;
    temporary_ = path + ".dictdump-tmp";
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) {
      *problem = "cannot write " + path + ": " + std::strerror(errno);
      file_ = stdout;
      temporary_.clear();
      return false;
    }
  }
  // Without a buffer of its own, stdio would keep the file's block size.
  buffer_.resize(kBufferSize);
  std::setvbuf(file_, buffer_.data(), _IOFBF, kBufferSize);
  return true;
}

bool Output::Finish(std::string* problem) {
  const std::string name = path_.empty() ? "standard output" : path_;
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  if (!ok) *problem = "cannot write " + name + ": " + std::strerror(errno);
  if (temporary_.empty()) return ok;
  if (std::fclose(file_) != 0 && ok) {
    *problem = "cannot write " + name + ": " + std::strerror(errno);
    ok = false;
  }
  file_ = stdout;
  if (ok && std::rename(temporary_.c_str(), path_.c_str()) != 0) {
    *problem = "cannot write " + name + ": " + std::strerror(errno);
    ok = false;
  }
  if (!ok) std::remove(temporary_.c_str());
  temporary_.clear();
  return ok;
}

void Output::Abandon() {
  if (temporary_.empty()) return;
  std::fclose(file_);
  file_ = stdout;
  std::remove(temporary_.c_str());
  temporary_.clear();
}

void Output::PutSigned(int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  Put(std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
}

void Output::PutUnsigned(uint64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  Put(std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
}

void Output::PutHex(std::span<const std::byte> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (std::byte b : bytes) {
    const auto v = static_cast<unsigned>(b);
    Put(kDigits[v >> 4]);
    Put(kDigits[v & 0xF]);
  }
}

}  // namespace dictdump
