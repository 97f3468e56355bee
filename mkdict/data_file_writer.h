// The tables' data files: each started when its table is created, rows
// added as the description gives them, keys set once every index is known.
#ifndef MKDICT_DATA_FILE_WRITER_H
#define MKDICT_DATA_FILE_WRITER_H

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "model.h"
#include "output_files.h"

namespace mkdict {

struct DataFiles {
  std::vector<size_t> fileOf;  // by table number: into Outputs::files, SIZE_MAX for none
  size_t lastFile = SIZE_MAX;  // the file that took the last row
};

// Starts the data file of table `tableNumber` (the last table added, which
// has one): opens its writer, which keeps the rows in an unnamed temporary
// until the file is staged. Returns false with *error when the record
// manager cannot hold the table's records.
bool StartDataFile(const Database& database, size_t tableNumber, Outputs* out, DataFiles* files,
                   DescriptionError* error);

// Adds one encoded row to the table's data file. The writer that took the
// previous row, if another, first writes what it holds and idles. Returns
// false with *failure when a write fails.
bool AddRow(size_t tableNumber, std::span<const std::byte> record, Outputs* out, DataFiles* files,
            std::string* failure);

// Gives every data file the keys of its table's indexes. Returns false
// with *error at a table whose keys the record manager cannot hold.
bool SetDataFileKeys(const Database& database, const DataFiles& files, Outputs* out, DescriptionError* error);

}  // namespace mkdict

#endif  // MKDICT_DATA_FILE_WRITER_H
