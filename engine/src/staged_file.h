// A file written under a temporary name beside its final path and renamed
// onto that path only when complete, so readers see the old file or the
// whole new one, never a part.
#ifndef RECMGR_SRC_STAGED_FILE_H
#define RECMGR_SRC_STAGED_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "recmgr/status.h"

namespace recmgr {

struct StagedFile {
  std::string finalPath;
  std::string tempPath;  // empty until created, and once renamed or removed
  int fd = -1;           // open while in use; closed while the writer idles
};

// Creates a fresh temporary `<path>.tmp.<pid>.<n>` (mode 0666 less the
// umask), open for reading and writing. A missing folder is
// RECMGR_STATUS_FILE_NOT_FOUND, one that is not writable
// RECMGR_STATUS_ACCESS_DENIED.
Status CreateStagedFile(const std::string& path, StagedFile* out);

// Opens the temporary again if it was closed by CloseStaged().
Status ReopenStaged(StagedFile& file);

// Closes the temporary's descriptor and keeps the temporary.
void CloseStaged(StagedFile& file);

// Flushes the temporary to disk and closes it.
Status FinishStaged(StagedFile& file);

// Renames the temporary onto the final path; on failure removes the
// temporary. REQUIRES: FinishStaged() succeeded.
Status CommitStaged(StagedFile& file);

// Closes and removes the temporary, if any. Safe to call more than once.
void DiscardStaged(StagedFile& file);

}  // namespace recmgr

#endif  // RECMGR_SRC_STAGED_FILE_H
