// The files one run writes, and writing them all or none: every file is
// staged to a temporary beside its target first, and only when every one
// staged are they renamed into place.
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

// Fails at the first table whose data file would land where a dictionary
// file or an earlier table's data file lands.
bool CheckLocations(const Database& database, const std::string& folder, DescriptionError* error);

// Creates the folders the files need, stages every file, then commits every
// file (data files first, as given). On a failure before the commits nothing
// is left behind: temporaries are removed, and so are the folders created.
// Returns false with *failure, a one-line reason, when a file can't be written.
bool WriteAll(std::vector<OutputFile>* files, std::string* failure);

}  // namespace mkdict

#endif  // MKDICT_OUTPUT_FILES_H
