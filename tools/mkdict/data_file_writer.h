// One table's data file: its stored attributes, the keys derived from its
// indexes, and its rows.
#ifndef MKDICT_DATA_FILE_WRITER_H
#define MKDICT_DATA_FILE_WRITER_H

#include <string>
#include <vector>

#include "model.h"
#include "output_files.h"

namespace mkdict {

// Appends the data file of `table` (which has one), its location resolved
// against `folder`, every row added. Returns false with *error at the table
// or row that the record manager refuses.
bool PrepareDataFile(const Table& table, const std::string& folder, std::vector<OutputFile>* files,
                     DescriptionError* error);

}  // namespace mkdict

#endif  // MKDICT_DATA_FILE_WRITER_H
