// The folder the markdown format fills: it writes only files that carry its
// mark on their first line, removes the marked files no longer wanted, and
// refuses to overwrite anything else. Or, under --check, only compares.
#ifndef DICTDUMP_MARKDOWN_FOLDER_H
#define DICTDUMP_MARKDOWN_FOLDER_H

#include <map>
#include <string>

#include "output.h"

namespace dictdump {

// The first line of every file written.
extern const char* const kGeneratedMark;

// Files by name (no folders), each text starting with kGeneratedMark.
using FolderFiles = std::map<std::string, std::string>;

// Brings `folder` (made when missing) to `files`. Returns 0, or 1 having
// named on standard error what stopped it; nothing is written when a file
// it would replace lacks the mark.
int WriteFolder(const std::string& folder, const FolderFiles& files);

// Lists on `out` each file of `folder` that differs from `files`: missing,
// different, or marked and no longer wanted. Returns 0 when none does, else
// 1 (with a line on standard error).
int CheckFolder(const std::string& folder, const FolderFiles& files, Output* out);

}  // namespace dictdump

#endif  // DICTDUMP_MARKDOWN_FOLDER_H
