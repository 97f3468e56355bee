// The three dictionary files: one FileRecord per table, one FieldRecord per
// column, index name and constraint, one IndexRecord per index segment.
#ifndef MKDICT_DICTIONARY_WRITER_H
#define MKDICT_DICTIONARY_WRITER_H

#include <string>
#include <vector>

#include "model.h"
#include "output_files.h"

namespace mkdict {

// Appends the three dictionary files of `database`, to be written in
// `folder` with `ownerName` guarding what `ownerGuards` says, every record
// added. Returns false with *failure when the record manager refuses one.
bool PrepareDictionary(const Database& database, const std::string& folder, const std::string& ownerName,
                       recmgr::OwnerGuards ownerGuards, std::vector<OutputFile>* files, std::string* failure);

}  // namespace mkdict

#endif  // MKDICT_DICTIONARY_WRITER_H
