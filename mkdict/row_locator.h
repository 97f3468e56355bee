// Finding where rows stand in a description after the fact. Rows are not
// kept while a description is read, so when staging finds two rows that
// clash, the description is read again to name them.
#ifndef MKDICT_ROW_LOCATOR_H
#define MKDICT_ROW_LOCATOR_H

#include <cstdint>
#include <string>

#include "source_pos.h"

namespace mkdict {

struct RowPlace {
  SourcePos pos;           // of the row's '('
  SourcePos statement;     // of its INSERT
  uint32_t rowNumber = 0;  // 1-based, within its INSERT
};

// Reads the description at `path` again and finds the rows numbered
// `first` and `second` (0-based, counting the rows given to the table
// named `table` in the order they come). Returns false if it cannot read
// them (the description changed or went away).
bool LocateRows(const std::string& path, const std::string& table, uint32_t first, uint32_t second,
                RowPlace* firstPlace, RowPlace* secondPlace);

}  // namespace mkdict

#endif  // MKDICT_ROW_LOCATOR_H
