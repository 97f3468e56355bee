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

Status BadKey(const std::string& reason) { return {RECMGR_STATUS_INVALID_KEY_NUMBER, reason}; }

std::string KeyName(const KeySpec& key) { return "key " + std::to_string(key.number); }

Status CheckSegment(const KeySpec& key, size_t i, uint16_t recordLength) {
  const KeySegment& segment = key.segments[i];
  const std::string where = "segment " + std::to_string(i + 1) + " of " + KeyName(key);
  if (segment.length == 0) return BadKey(where + " is empty");
  if (size_t{segment.offset} + segment.length > recordLength) {
    return BadKey(where + " ends past the " + std::to_string(recordLength) + "-byte record");
  }
  const bool integer =
      segment.type == SegmentType::kSignedInteger || segment.type == SegmentType::kUnsignedInteger;
  const bool integerLength =
      segment.length == 1 || segment.length == 2 || segment.length == 4 || segment.length == 8;
  if (integer && !integerLength) {
    return BadKey(where + " is an integer of " + std::to_string(segment.length) + " bytes, not 1, 2, 4 or 8");
  }
  return Status::Ok();
}

}  // namespace

Status HeaderFromSpec(const FileSpec& spec, format::FileHeader* out) {
  if (spec.recordLength == 0) return {RECMGR_STATUS_DATA_BUFFER_TOO_SHORT, "record length 0"};
  if (spec.ownerName.size() > format::kMaxOwnerName) {
    return {RECMGR_STATUS_INVALID_OWNER_NAME, "owner name longer than 255 bytes"};
  }
  if (spec.ownerName.find('\0') != std::string::npos) {
    return {RECMGR_STATUS_INVALID_OWNER_NAME, "owner name holding a NUL byte"};
  }
  if (spec.keys.size() > format::kMaxKeys) return BadKey("more than 128 keys");

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
    if (key->number > format::kMaxKeyNumber) return BadKey(KeyName(*key) + " is above 127");
    if (!h.keys.empty() && h.keys.back().number == key->number) {
      return BadKey(KeyName(*key) + " declared twice");
    }
    if (key->segments.empty()) return BadKey(KeyName(*key) + " has no segments");
    if (key->segments.size() > UINT8_MAX) return BadKey(KeyName(*key) + " has more than 255 segments");
    if (h.segments.size() + key->segments.size() > UINT16_MAX) return BadKey("more than 65535 segments");
    format::KeyDesc desc;
    desc.number = key->number;
    desc.duplicates = key->duplicates;
    desc.firstSegment = static_cast<uint16_t>(h.segments.size());
    desc.segmentCount = static_cast<uint8_t>(key->segments.size());
    unsigned length = 0;
    for (size_t i = 0; i < key->segments.size(); ++i) {
      format::SegmentDesc seg;
      if (!ToSegment(key->segments[i], &seg)) {
        return BadKey("segment " + std::to_string(i + 1) + " of " + KeyName(*key) + " has an unknown type");
      }
      Status status = CheckSegment(*key, i, spec.recordLength);
      if (!status.IsOk()) return status;
      h.segments.push_back(seg);
      length += seg.length;
    }
    if (length > format::kMaxKeyLength) {
      return BadKey(KeyName(*key) + " is " + std::to_string(length) + " bytes long, over 255");
    }
    desc.length = static_cast<uint8_t>(length);
    h.keys.push_back(desc);
  }
  if (!format::KeysAreValid(h)) return BadKey("the keys do not fit the format");
  h.pageShift = format::ChoosePageShift(h);
  if (h.pageShift == 0) return BadKey("the keys' descriptions do not fit the largest page");
  *out = std::move(h);
  return Status::Ok();
}

}  // namespace recmgr
