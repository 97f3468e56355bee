// The progress line of a long build: once a build has run for about a
// second, one line on standard error, rewritten in place with \r and
// cleared at the end. Nothing when standard error is not a terminal.
#ifndef MKDICT_PROGRESS_LINE_H
#define MKDICT_PROGRESS_LINE_H

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace mkdict {

class ProgressLine {
 public:
  ProgressLine();
  ~ProgressLine() { Clear(); }

  // Counts one row read; looks at the clock every few thousand rows.
  void Row() {
    if (enabled_ && (++rows_ & kRowsBetweenLooks) == 0) Show(std::to_string(rows_) + " rows read", true);
  }

  // One file of `total` being written.
  void Writing(const std::string& path, size_t done, size_t total);

  // Takes the line away, if shown.
  void Clear();

  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

 private:
  static constexpr uint64_t kRowsBetweenLooks = (uint64_t{1} << 14) - 1;

  // Shows `text` once the build has run a second; with `throttle`, not
  // more often than a few times a second.
  void Show(const std::string& text, bool throttle);

  bool enabled_;
  uint64_t rows_ = 0;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastShown_;
  size_t shownWidth_ = 0;
};

}  // namespace mkdict

#endif  // MKDICT_PROGRESS_LINE_H
