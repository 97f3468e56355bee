#include "progress_line.h"

#include <unistd.h>

#include <cstdio>

namespace mkdict {
namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRefresh = std::chrono::milliseconds(200);

}  // namespace

ProgressLine::ProgressLine()
    : enabled_(isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()), lastShown_(start_) {}

void ProgressLine::Writing(const std::string& path, size_t done, size_t total) {
  if (enabled_)
    Show("writing " + std::to_string(done + 1) + " of " + std::to_string(total) + ": " + path, false);
}

void ProgressLine::Show(const std::string& text, bool throttle) {
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < kQuietStart || (throttle && shownWidth_ > 0 && now - lastShown_ < kRefresh)) return;
  lastShown_ = now;
  std::string line = "mkdict: " + text;
  const size_t width = line.size();
  if (width < shownWidth_) line.append(shownWidth_ - width, ' ');  // cover the longer line before
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

}  // namespace mkdict
