// A file written under a temporary name beside its final path and renamed
// onto that path only when complete, so readers see the old file or the
// whole new one, never a part.
#ifndef RECMGR_SRC_STAGED_FILE_H
#define RECMGR_SRC_STAGED_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace recmgr {

struct StagedFile {
  std::string finalPath;
  std::string tempPath;  // empty once renamed or removed
  int fd = -1;           // open while writing
};

// Creates a fresh temporary `<path>.tmp.<pid>.<n>` (mode 0666 less the
// umask). Returns RECMGR_STATUS_SUCCESS; RECMGR_STATUS_FILE_NOT_FOUND if the
// folder does not exist; RECMGR_STATUS_ACCESS_DENIED if it is not writable;
// RECMGR_STATUS_IO_ERROR otherwise.
int16_t CreateStagedFile(const std::string& path, StagedFile* out);

// Appends data[0, n). Returns false on a failed write.
bool WriteStaged(StagedFile& file, const uint8_t* data, size_t n);

// Flushes the temporary to disk and closes it. Returns false on failure.
bool FinishStaged(StagedFile& file);

// Renames the temporary onto the final path. Returns RECMGR_STATUS_SUCCESS,
// or RECMGR_STATUS_IO_ERROR after removing the temporary.
// REQUIRES: FinishStaged() succeeded.
int16_t CommitStaged(StagedFile& file);

// Closes and removes the temporary, if any. Safe to call more than once.
void DiscardStaged(StagedFile& file);

}  // namespace recmgr

#endif  // RECMGR_SRC_STAGED_FILE_H
