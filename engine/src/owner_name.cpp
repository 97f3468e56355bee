#include "owner_name.h"

#include <cstring>

#include "sha256.h"

namespace recmgr::format {

static_assert(kOwnerHashSize == kSha256Size);

void HashOwnerName(const uint8_t salt[kSaltSize], std::string_view name, uint8_t out[kOwnerHashSize]) {
  uint8_t message[kSaltSize + kMaxOwnerName + 1];
  const size_t length = name.size() <= kMaxOwnerName + 1 ? name.size() : kMaxOwnerName + 1;
  std::memcpy(message, salt, kSaltSize);
  if (length > 0) std::memcpy(message + kSaltSize, name.data(), length);
  Sha256(message, kSaltSize + length, out);
}

bool OwnerNameMatches(const FileHeader& header, std::string_view offered) {
  if (!header.hasOwner) return true;
  if (offered.empty() && header.ownerGuardsChangesOnly) return true;  // a reader that offers no name
  if (offered.size() > kMaxOwnerName) return false;
  uint8_t digest[kOwnerHashSize];
  HashOwnerName(header.ownerSalt, offered, digest);
  uint8_t difference = 0;  // constant time: no early exit on the first mismatch
  for (size_t i = 0; i < kOwnerHashSize; ++i) difference |= digest[i] ^ header.ownerHash[i];
  return difference == 0;
}

}  // namespace recmgr::format
