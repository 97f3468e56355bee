// Checks a table's data file as the report reads it: opened without an
// owner name, its statistics compared with the dictionary's record length
// and indexes.
#ifndef DICTCHECK_DATA_FILE_CHECK_H
#define DICTCHECK_DATA_FILE_CHECK_H

#include <vector>

#include "dictionary_scan.h"

namespace dictcheck {

// A location that is a dictionary file (a system table) is not opened. A
// missing file in a folder that does not exist either is taken as kept
// elsewhere (an archive described without a data file) and passes.
void CheckDataFile(const Table& table, const std::vector<Column>& columns,
                   const std::vector<Segment>& segments);

}  // namespace dictcheck

#endif  // DICTCHECK_DATA_FILE_CHECK_H
