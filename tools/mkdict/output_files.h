// The files one run writes, and writing them all or none: every file is
// staged to a temporary beside its target under the commit journal, and
// only when every one is staged and synced does the journal commit and the
// temporaries go into place (commit_journal.h).
#ifndef MKDICT_OUTPUT_FILES_H
#define MKDICT_OUTPUT_FILES_H

#include <memory>
#include <string>
#include <vector>

#include "model.h"
#include "recmgr/writer.h"

namespace mkdict {

struct OutputFile {
  std::string path;
  std::unique_ptr<recmgr::FileWriter> writer;  // records added, not yet staged
};

// Where a location lands: absolute as it is, relative under `folder`.
std::string ResolvePath(const std::string& folder, const std::string& location);

// Writes the journal in `folder` (which exists and is locked), creates the
// folders the files need, stages every file, commits, and puts every file
// in place. On a failure before the commit point nothing is left behind;
// after it, the run is finished by the next run or `mkdict --recover`.
// Returns false with *failure, a one-line reason, when a file can't be written.
bool WriteAll(const std::string& folder, std::vector<OutputFile>* files, std::string* failure);

}  // namespace mkdict

#endif  // MKDICT_OUTPUT_FILES_H
