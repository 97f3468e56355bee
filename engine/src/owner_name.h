// Owner names as the files hold them: never in clear text, only as
// SHA-256(salt || name) with a random 16-byte salt per file.
#ifndef RECMGR_SRC_OWNER_NAME_H
#define RECMGR_SRC_OWNER_NAME_H

#include <cstdint>
#include <string_view>

#include "file_header.h"

namespace recmgr::format {

// Writes SHA-256(salt || name) to out[0, kOwnerHashSize).
void HashOwnerName(const uint8_t salt[kSaltSize], std::string_view name, uint8_t out[kOwnerHashSize]);

// True if a file with this header opens with `offered`: the file has no
// owner name, or `offered` is its owner name (case-sensitive), or it is
// empty and the owner name guards only changes (this engine only reads).
bool OwnerNameMatches(const FileHeader& header, std::string_view offered);

}  // namespace recmgr::format

#endif  // RECMGR_SRC_OWNER_NAME_H
