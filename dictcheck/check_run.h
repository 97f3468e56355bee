// One run of the check over the dictionary in the current folder.
#ifndef DICTCHECK_CHECK_RUN_H
#define DICTCHECK_CHECK_RUN_H

#include <string>

namespace dictcheck {

// Opens the dictionary with `password` (empty: the default owner name),
// checks every table in name order and prints a line per problem. Returns
// the exit code: 0 clean, 1 a problem found or the dictionary could not be
// read (said on standard error).
int RunCheck(const std::string& password);

}  // namespace dictcheck

#endif  // DICTCHECK_CHECK_RUN_H
