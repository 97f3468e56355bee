#include "file_spec_check.h"

#include <algorithm>

#include "recmgr/recmgr.h"

namespace recmgr {
namespace {

bool ToSegment(const KeySegment& in, format::SegmentDesc* out) {
  switch (in.type) {
    case SegmentType::kSignedInteger: out->kind = format::kSignedInteger; break;
    case SegmentType::kUnsignedInteger: out->kind = format::kUnsignedInteger; break;
    case SegmentType::kString: out->kind = format::kString; break;
    case SegmentType::kCaseInsensitiveString: out->kind = format::kCaseInsensitiveString; break;
    default: return false;
  }
  out->offset = in.offset;
  out->length = in.length;
  out->descending = in.descending;
  return true;
}

}  // namespace

int16_t HeaderFromSpec(const FileSpec& spec, format::FileHeader* out) {
  if (spec.recordLength == 0) return RECMGR_STATUS_DATA_BUFFER_TOO_SHORT;
  if (spec.ownerName.size() > format::kMaxOwnerName || spec.ownerName.find('\0') != std::string::npos) {
    return RECMGR_STATUS_INVALID_OWNER_NAME;
  }
  if (spec.keys.size() > format::kMaxKeys) return RECMGR_STATUS_INVALID_KEY_NUMBER;

  std::vector<const KeySpec*> keys;
  for (const KeySpec& key : spec.keys) keys.push_back(&key);
  std::sort(keys.begin(), keys.end(),
            [](const KeySpec* a, const KeySpec* b) { return a->number < b->number; });

  format::FileHeader h;
  h.recordLength = spec.recordLength;
  h.storedPageSize = spec.pageSize;
  h.fileFlags = spec.fileFlags;
  h.fileVersion = spec.fileVersion;
  h.hasOwner = !spec.ownerName.empty();
  h.ownerGuardsChangesOnly = h.hasOwner && spec.ownerGuards == OwnerGuards::kChanges;
  for (const KeySpec* key : keys) {
    if (key->number > format::kMaxKeyNumber) return RECMGR_STATUS_INVALID_KEY_NUMBER;
    if (!h.keys.empty() && h.keys.back().number == key->number) {
      return RECMGR_STATUS_INVALID_KEY_NUMBER;
    }
    if (key->segments.empty() || key->segments.size() > UINT8_MAX ||
        h.segments.size() + key->segments.size() > UINT16_MAX) {
      return RECMGR_STATUS_INVALID_KEY_NUMBER;
    }
    format::KeyDesc desc;
    desc.number = key->number;
    desc.duplicates = key->duplicates;
    desc.firstSegment = static_cast<uint16_t>(h.segments.size());
    desc.segmentCount = static_cast<uint8_t>(key->segments.size());
    unsigned length = 0;
    for (const KeySegment& segment : key->segments) {
      format::SegmentDesc seg;
      if (!ToSegment(segment, &seg)) return RECMGR_STATUS_INVALID_KEY_NUMBER;
      h.segments.push_back(seg);
      length += segment.length;
    }
    if (length > format::kMaxKeyLength) return RECMGR_STATUS_INVALID_KEY_NUMBER;
    desc.length = static_cast<uint8_t>(length);
    h.keys.push_back(desc);
  }
  if (!format::KeysAreValid(h)) return RECMGR_STATUS_INVALID_KEY_NUMBER;
  h.pageShift = format::ChoosePageShift(h);
  if (h.pageShift == 0) return RECMGR_STATUS_INVALID_KEY_NUMBER;
  *out = std::move(h);
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace recmgr
