#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace dictdump {

namespace {

constexpr auto kFirstShown = std::chrono::seconds(1);
constexpr auto kInterval = std::chrono::milliseconds(200);

}  // namespace

Progress::Progress(size_t tableCount)
    : terminal_(isatty(STDERR_FILENO) == 1),
      tableCount_(tableCount),
      start_(std::chrono::steady_clock::now()),
      next_(start_ + kFirstShown) {}

void Progress::Update(size_t tablesDone, const std::string& table, uint64_t rows) {
  if (!terminal_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + kInterval;
  shown_ = true;
  std::fprintf(stderr, "\rdictdump: table %zu of %zu, %.60s: %llu rows\033[K", tablesDone + 1, tableCount_,
               table.c_str(), static_cast<unsigned long long>(rows));
  std::fflush(stderr);
}

void Progress::Finish() {
  if (shown_) std::fputs("\r\033[K", stderr);
  shown_ = false;
}

}  // namespace dictdump
