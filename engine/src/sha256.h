// SHA-256 (FIPS 180-4) of a short message, used to keep owner names out of
// the files in clear text.
#ifndef RECMGR_SRC_SHA256_H
#define RECMGR_SRC_SHA256_H

#include <cstddef>
#include <cstdint>

namespace recmgr::format {

inline constexpr size_t kSha256Size = 32;

// Writes the SHA-256 digest of data[0, n) to out[0, 32).
void Sha256(const uint8_t* data, size_t n, uint8_t out[kSha256Size]);

}  // namespace recmgr::format

#endif  // RECMGR_SRC_SHA256_H
