#include "morvel2/common/progress_line.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRefresh = std::chrono::milliseconds(200);

}  // namespace

ProgressLine::ProgressLine(std::string program)
    : program_(std::move(program)),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()),
      lastShown_(start_) {}

bool ProgressLine::Due(bool throttled) const {
  if (!terminal_) return false;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < kQuietStart) return false;
  return !throttled || shownWidth_ == 0 || now - lastShown_ >= kRefresh;
}

void ProgressLine::Show(const std::string& text) {
  if (!terminal_) return;
  lastShown_ = std::chrono::steady_clock::now();
  std::string line = program_ + ": " + text;
  const size_t width = line.size();
  if (width < shownWidth_) line.append(shownWidth_ - width, ' ');  // covers the longer line before
  std::fprintf(stderr, "\r%s", line.c_str());
  std::fflush(stderr);
  shownWidth_ = width;
}

void ProgressLine::Clear() {
  if (shownWidth_ == 0) return;
  std::fprintf(stderr, "\r%s\r", std::string(shownWidth_, ' ').c_str());
  std::fflush(stderr);
  shownWidth_ = 0;
}
