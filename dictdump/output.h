// The dump's text output: one large stdio buffer, written without locking,
// and the few number and hex forms every format needs.
#ifndef DICTDUMP_OUTPUT_H
#define DICTDUMP_OUTPUT_H

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dictdump {

class Output {
 public:
  // Writes to standard output, or to a temporary beside `path` that Finish
  // renames onto it.
  bool Open(const std::string& path, std::string* problem);
  // Flushes; renames the temporary into place. False when a write failed.
  bool Finish(std::string* problem);
  // Removes the temporary after a failure.
  void Abandon();

  void Put(std::string_view text) { fwrite_unlocked(text.data(), 1, text.size(), file_); }
  void Put(char c) { putc_unlocked(c, file_); }
  void PutSigned(int64_t value);
  void PutUnsigned(uint64_t value);
  // Upper-case hex digits of the bytes.
  void PutHex(std::span<const std::byte> bytes);
  // The text between two `quote`s, each quote inside doubled: the quoting
  // of SQL and of mkdict's descriptions alike.
  void PutQuoted(std::string_view text, char quote) {
    Put(quote);
    for (size_t at = text.find(quote); at != std::string_view::npos; at = text.find(quote)) {
      Put(text.substr(0, at + 1));
      Put(quote);
      text.remove_prefix(at + 1);
    }
    Put(text);
    Put(quote);
  }

 private:
  FILE* file_ = stdout;
  std::string path_;
  std::string temporary_;
  std::vector<char> buffer_;
};

}  // namespace dictdump

#endif  // DICTDUMP_OUTPUT_H
