// The progress line of a long run: one line on standard error, only when it
// is a terminal and only once the run has gone about a second, rewritten in
// place and cleared at the end.
#ifndef MORVEL2_COMMON_PROGRESS_LINE_H
#define MORVEL2_COMMON_PROGRESS_LINE_H

#include <chrono>
#include <cstddef>
#include <string>

class ProgressLine {
 public:
  // Lines start with "<program>: ".
  explicit ProgressLine(std::string program);
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Whether Show would show a line now; cheap, so that callers build the
  // text only then. Throttled, not more often than a few times a second;
  // unthrottled (for steps that each deserve their line), any time after the
  // first second.
  bool Due(bool throttled = true) const;

  // Shows `text` in place of the line before.
  void Show(const std::string& text);

  // Takes the line away, if shown.
  void Clear();

 private:
  std::string program_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastShown_;
  size_t shownWidth_ = 0;
};

#endif  // MORVEL2_COMMON_PROGRESS_LINE_H
