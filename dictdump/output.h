// The dump's text output: a large buffer of its own, filled inline and
// handed to stdio 256 KiB at a time (a call into stdio per value cost a
// fifth of a dump), and the few number and hex forms every format needs.
#ifndef DICTDUMP_OUTPUT_H
#define DICTDUMP_OUTPUT_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "morvel2/common/decimal_digits.h"

namespace dictdump {

class Output {
 public:
  // Writes to standard output (`path` empty), straight into `path` when it
  // is no regular file or lies in /dev or /proc, or else to a temporary
  // beside it that Finish renames onto it (onto the file a symbolic link
  // leads to), so a regular file is replaced whole or not at all.
  bool Open(const std::string& path, std::string* problem);
  // Flushes; closes the file and renames the temporary into place. False
  // when a write failed.
  bool Finish(std::string* problem);
  // Removes the temporary after a failure.
  void Abandon();

  void Put(std::string_view text) {
    if (text.size() > static_cast<size_t>(end_ - next_)) return PutLong(text);
    std::memcpy(next_, text.data(), text.size());
    next_ += text.size();
  }
  void Put(char c) {
    if (next_ == end_) Drain();
    *next_++ = c;
  }
  // Room for `bytes` bytes (at most the buffer's 256 KiB) at the returned
  // place, for a value written straight into the buffer; Advance(its end)
  // keeps it. Cheaper than Put() for short values built a byte at a time.
  char* Reserve(size_t bytes) {
    if (bytes > static_cast<size_t>(end_ - next_)) Drain();
    return next_;
  }
  void Advance(char* end) { next_ = end; }
  void PutSigned(int64_t value) {
    // Negated as unsigned, so the smallest value needs no wider type.
    PutNumber(value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value), value < 0);
  }
  void PutUnsigned(uint64_t value) { PutNumber(value, false); }
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
  void PutNumber(uint64_t magnitude, bool negative) {
    char* at = Reserve(kMaxDecimalDigits + 1);
    if (negative) *at++ = '-';
    at += DecimalDigitCount(magnitude);
    PutDigitsBefore(at, magnitude);
    Advance(at);
  }
  // Hands the buffered bytes to stdio.
  void Drain();
  void PutLong(std::string_view text);

  FILE* file_ = stdout;
  std::string path_;
  std::string replaced_;   // the file the temporary replaces
  std::string temporary_;  // empty when not replacing
  std::vector<char> buffer_;
  char* next_ = nullptr;  // where the next byte goes in buffer_
  char* end_ = nullptr;   // buffer_'s end (null before Open)
};

}  // namespace dictdump

#endif  // DICTDUMP_OUTPUT_H
