// Checks a table's data file: opened without an owner name, as the report
// opens it; its statistics compared with the dictionary's fields and
// indexes; then every page, record and key of it (file_integrity.h).
#ifndef DICTCHECK_DATA_FILE_CHECK_H
#define DICTCHECK_DATA_FILE_CHECK_H

#include <vector>

#include "dictionary_model.h"
#include "morvel2/dictionary/dictionary_names.h"
#include "problem_lines.h"

namespace dictcheck {

// A location that is one of `dictionaryFiles` (a system table) is not
// opened. Without `columns` (the dictionary could not be read whole), the
// data file is checked on its own, not against the dictionary.
void CheckDataFile(const Table& table, const std::vector<Column>* columns,
                   const std::vector<Segment>& segments, const DictionaryFileIds& dictionaryFiles,
                   ProblemLines& problems);

}  // namespace dictcheck

#endif  // DICTCHECK_DATA_FILE_CHECK_H
