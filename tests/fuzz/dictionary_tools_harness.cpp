// Fuzz target for dictcheck and dictdump, run in process over a dictionary
// and data files made from the input, through the engine's entry. Neither
// tool may crash, hang or read out of bounds on any files; what they print
// goes to /dev/null.
//
// Input: a flag byte, then files, each a slot byte (its name: slot mod 5 of
// PVFILE.DDF, PVFIELD.DDF, PVINDEX.DDF, t.dat, u.dat), a 4-byte
// little-endian length and that many bytes (cut at the input's end).
//   flag bit 0: recompute every page's checksum before a file is written,
//               so that damage reaches the checks behind them
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "byte_order.h"
#include "check_run.h"
#include "morvel2/engine_access/recmgr_loader.h"
#include "page_format.h"
#include "recmgr/recmgr.h"
#include "reseal_pages.h"
#include "run_dump.h"

namespace {

constexpr uint8_t kResealPages = 0x01;
constexpr const char* kNames[] = {"PVFILE.DDF", "PVFIELD.DDF", "PVINDEX.DDF", "t.dat", "u.dat"};
constexpr size_t kSlots = sizeof kNames / sizeof kNames[0];

void Require(bool condition) {
  if (!condition) std::abort();
}

void WriteInputFile(const char* path, const std::vector<uint8_t>& bytes) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  Require(fd >= 0);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    Require(n > 0);
    written += static_cast<size_t>(n);
  }
  close(fd);
}

// The folder every input's files are written to, and the tools run in:
// entered for each input and left again, since libFuzzer names its corpus
// folders relative to where it started.
std::string gInputFolder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char folder[] = "/tmp/fuzz-dictionary-tools-XXXXXX";
  Require(mkdtemp(folder) != nullptr);
  gInputFolder = folder;
  Require(std::freopen("/dev/null", "w", stdout) != nullptr);
  SetRecordManagerEntry(&RecmgrCall);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int startFolder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  Require(startFolder >= 0 && chdir(gInputFolder.c_str()) == 0);
  for (const char* name : kNames) unlink(name);
  const bool reseal = data[0] & kResealPages;
  size_t at = 1;
  while (at + 5 <= size) {
    const char* name = kNames[data[at] % kSlots];
    const size_t length = std::min<size_t>(recmgr::format::Load32(data + at + 1), size - at - 5);
    std::vector<uint8_t> file(data + at + 5, data + at + 5 + length);
    if (reseal) fuzzsupport::ResealPages(file);
    WriteInputFile(name, file);
    at += 5 + length;
  }
  const int checked = dictcheck::RunCheck("");
  Require(checked == 0 || checked == 1);
  const int dumped = dictdump::RunDump(dictdump::Options{});
  Require(dumped == 0 || dumped == 1);
  Require(fchdir(startFolder) == 0);
  close(startFolder);
  return 0;
}
