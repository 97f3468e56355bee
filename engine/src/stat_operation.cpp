// Stat: the 16-byte file entry, then one 16-byte key entry per key segment
// (keys in ascending key number), in the layout recmgr.h names. Only the
// bytes filled are written; their unnamed bytes are zero.
#include <cstring>

#include "byte_order.h"
#include "handle_registry.h"
#include "operations.h"
#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

using format::Store16;
using format::Store32;

uint16_t SegmentFlags(const format::KeyDesc& key, const format::SegmentDesc& segment, bool last) {
  uint16_t flags = 0;
  if (key.duplicates) flags |= RECMGR_SEGMENT_DUPLICATES;
  if (!last) flags |= RECMGR_SEGMENT_MORE_SEGMENTS;
  if (segment.descending) flags |= RECMGR_SEGMENT_DESCENDING;
  switch (segment.kind) {
    case format::kSignedInteger: flags |= RECMGR_SEGMENT_SIGNED; break;
    case format::kUnsignedInteger: flags |= RECMGR_SEGMENT_UNSIGNED; break;
    case format::kCaseInsensitiveString: flags |= RECMGR_SEGMENT_CASE_INSENSITIVE; break;
    case format::kString: break;
  }
  return flags;
}

void FillFileSpec(const format::FileHeader& h, uint8_t* out) {
  std::memset(out, 0, RECMGR_STAT_FILE_SPEC_SIZE);
  Store16(out + RECMGR_STAT_RECORD_LENGTH, h.recordLength);
  Store16(out + RECMGR_STAT_PAGE_SIZE, h.storedPageSize);
  out[RECMGR_STAT_KEY_COUNT] = static_cast<uint8_t>(h.keys.size());
  out[RECMGR_STAT_FILE_VERSION] = h.fileVersion;
  Store32(out + RECMGR_STAT_RECORD_COUNT, h.recordCount);
  Store16(out + RECMGR_STAT_FILE_FLAGS, h.fileFlags);
  Store16(out + RECMGR_STAT_UNUSED_PAGES, 0);  // files are immutable: nothing is ever freed
}

void FillKeySpecs(const format::FileHeader& h, uint8_t* out) {
  for (const format::KeyDesc& key : h.keys) {
    const auto segments = h.SegmentsOf(key);
    for (size_t i = 0; i < segments.size(); ++i, out += RECMGR_STAT_KEY_SPEC_SIZE) {
      std::memset(out, 0, RECMGR_STAT_KEY_SPEC_SIZE);
      Store16(out + RECMGR_STAT_SEGMENT_POSITION, static_cast<uint16_t>(segments[i].offset + 1));
      Store16(out + RECMGR_STAT_SEGMENT_LENGTH, segments[i].length);
      Store16(out + RECMGR_STAT_SEGMENT_FLAGS, SegmentFlags(key, segments[i], i + 1 == segments.size()));
      Store32(out + RECMGR_STAT_UNIQUE_VALUES, key.uniqueValues);
      out[RECMGR_STAT_KEY_NUMBER] = key.number;
    }
  }
}

}  // namespace

int16_t StatOperation(void* positionBlock, void* dataBuffer, uint32_t* dataLength, void* keyBuffer,
                      uint8_t keyLength) {
  OpenFile* file = FindOpenFile(positionBlock);
  if (file == nullptr) return RECMGR_STATUS_FILE_NOT_OPEN;
  const format::FileHeader& h = file->header;
  const uint64_t needed =
      RECMGR_STAT_FILE_SPEC_SIZE + uint64_t{RECMGR_STAT_KEY_SPEC_SIZE} * h.segments.size();
  if (dataBuffer == nullptr || dataLength == nullptr || *dataLength < needed) {
    return RECMGR_STATUS_DATA_BUFFER_TOO_SHORT;
  }
  // Answered from the header read at Open, which a file changed since no
  // longer has.
  if (!StillUnchanged(*file)) return RECMGR_STATUS_IO_ERROR;
  auto* out = static_cast<uint8_t*>(dataBuffer);
  FillFileSpec(h, out);
  FillKeySpecs(h, out + RECMGR_STAT_FILE_SPEC_SIZE);
  *dataLength = static_cast<uint32_t>(needed);

  const size_t pathBytes = std::strlen(file->file.path) + 1;
  if (keyBuffer != nullptr && keyLength >= pathBytes) std::memcpy(keyBuffer, file->file.path, pathBytes);
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace recmgr
