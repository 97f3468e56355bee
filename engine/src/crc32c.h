// CRC-32C (Castagnoli polynomial 0x1EDC6F41, reflected 0x82F63B78), the
// checksum of every page. Check value: Crc32c("123456789") == 0xE3069283.
#ifndef RECMGR_SRC_CRC32C_H
#define RECMGR_SRC_CRC32C_H

#include <cstddef>
#include <cstdint>

namespace recmgr::format {

// Returns the CRC-32C of the bytes that gave `crc` followed by data[0, n).
// Start with crc = 0.
uint32_t Crc32cExtend(uint32_t crc, const uint8_t* data, size_t n);

// The same by table lookups alone, as on processors without a CRC
// instruction; Crc32cExtend uses it there.
uint32_t Crc32cExtendPortable(uint32_t crc, const uint8_t* data, size_t n);

// True if this processor has the SSE4.2 crc32 instruction; Crc32cExtend
// then uses it, through Crc32cExtendInstruction.
bool HasCrcInstruction();

// The same with the crc32 instruction. REQUIRES: HasCrcInstruction().
uint32_t Crc32cExtendInstruction(uint32_t crc, const uint8_t* data, size_t n);

inline uint32_t Crc32c(const uint8_t* data, size_t n) { return Crc32cExtend(0, data, n); }

}  // namespace recmgr::format

#endif  // RECMGR_SRC_CRC32C_H
