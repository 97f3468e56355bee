// The files one run writes, and writing them all or none: data files take
// their rows as the description is read, into temporaries beside their
// targets; then every file is staged under the commit journal, and only
// when every one is staged and synced does the journal commit and the
// temporaries go into place (commit_journal.h).
#ifndef MKDICT_OUTPUT_FILES_H
#define MKDICT_OUTPUT_FILES_H

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model.h"
#include "recmgr/writer.h"

namespace mkdict {

struct OutputFile {
  std::string path;
  std::unique_ptr<recmgr::FileWriter> writer;  // records added, not yet staged
  size_t table = SIZE_MAX;                     // the table of a data file; SIZE_MAX for a dictionary file
};

// What one run has under way: its files, their rows in unnamed
// temporaries until WriteAll() stages them.
struct Outputs {
  std::string folder;
  std::vector<OutputFile> files;
  size_t sortMemory = 0;  // for the data files' writers; 0: their default
};

// A data file's key that holds one value twice, found while staging.
struct DataFileClash {
  size_t table = 0;
  recmgr::KeyClash keys;
};

// Where a location lands: absolute as it is, relative under `folder`.
std::string ResolvePath(const std::string& folder, const std::string& location);

// Drops every writer, and with it every temporary.
void Abandon(Outputs* out);

// Writes the journal in `folder` (which exists and is locked), creates the
// folders the files need, stages every file (telling `onStage` of each
// first), commits, and puts every file in place. On a failure before the
// commit point nothing is left behind; after it, the run is finished by the
// next run or `mkdict --recover`. Returns false with *failure, a one-line
// reason, when a file can't be written, and with *clash set when a data
// file's unique key holds a value twice.
bool WriteAll(const std::string& folder, std::vector<OutputFile>* files, std::string* failure,
              std::optional<DataFileClash>* clash,
              const std::function<void(const OutputFile& file, size_t done)>& onStage);

}  // namespace mkdict

#endif  // MKDICT_OUTPUT_FILES_H
