// The progress line of a long dump: on standard error, only when it is a
// terminal, and only once the dump has run for about a second.
#ifndef DICTDUMP_PROGRESS_H
#define DICTDUMP_PROGRESS_H

#include <chrono>
#include <cstdint>
#include <string>

namespace dictdump {

class Progress {
 public:
  explicit Progress(size_t tableCount);
  // Called per table and every so many rows; cheap when nothing is shown.
  void Update(size_t tablesDone, const std::string& table, uint64_t rows);
  // Clears the line, if one was shown.
  void Finish();

 private:
  bool terminal_;
  size_t tableCount_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point next_;
};

}  // namespace dictdump

#endif  // DICTDUMP_PROGRESS_H
