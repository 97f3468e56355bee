// The dictionary a run replaces: which data files it names, so that those
// the new description no longer names can be pointed out (they stay).
#ifndef MKDICT_OLD_DICTIONARY_H
#define MKDICT_OLD_DICTIONARY_H

#include <string>
#include <vector>

#include "model.h"

namespace mkdict {

// One warning line (without "mkdict: warning: ") for each existing data
// file that the dictionary in `folder` names and `database` does not; or one
// line saying the old dictionary can't be read (with `ownerName`, through
// the record manager). Empty when `folder` holds no dictionary.
std::vector<std::string> DataFilesLeftBehind(const Database& database, const std::string& folder,
                                             const std::string& ownerName);

}  // namespace mkdict

#endif  // MKDICT_OLD_DICTIONARY_H
