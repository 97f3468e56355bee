#include "file_header.h"

#include <cstring>

#include "byte_order.h"
#include "recmgr/recmgr.h"

namespace recmgr::format {
namespace {

bool IsIntegerKind(SegmentKind kind) { return kind == kSignedInteger || kind == kUnsignedInteger; }

bool IsIntegerLength(uint16_t length) { return length == 1 || length == 2 || length == 4 || length == 8; }

uint32_t CeilDiv(uint64_t n, uint64_t d) { return static_cast<uint32_t>((n + d - 1) / d); }

}  // namespace

size_t HeaderBytes(size_t keyCount, size_t segmentCount) {
  return kHdrKeyTable + keyCount * kKeyDescSize + segmentCount * kSegmentDescSize;
}

bool KeysAreValid(const FileHeader& header) {
  if (header.keys.size() > kMaxKeys || header.segments.size() > UINT16_MAX) return false;
  size_t nextSegment = 0;
  int previousNumber = -1;
  for (const KeyDesc& key : header.keys) {
    if (key.number > kMaxKeyNumber || key.number <= previousNumber) return false;
    previousNumber = key.number;
    if (key.segmentCount == 0 || key.firstSegment != nextSegment) return false;
    if (nextSegment + key.segmentCount > header.segments.size()) return false;
    nextSegment += key.segmentCount;
    unsigned length = 0;
    for (const SegmentDesc& seg : header.SegmentsOf(key)) {
      if (seg.length == 0 || seg.offset + seg.length > header.recordLength) return false;
      if (seg.kind > kCaseInsensitiveString) return false;
      if (IsIntegerKind(seg.kind) && !IsIntegerLength(seg.length)) return false;
      length += seg.length;
      if (length > kMaxKeyLength) return false;
    }
    if (length != key.length) return false;
  }
  return nextSegment == header.segments.size();
}

unsigned ChoosePageShift(const FileHeader& header) {
  size_t need = kPageHeaderSize + header.recordLength;
  size_t headerBytes = HeaderBytes(header.keys.size(), header.segments.size());
  if (headerBytes > need) need = headerBytes;
  for (const KeyDesc& key : header.keys) {
    if (kPageHeaderSize + key.length + kEntryRecordNumberSize > need) {
      need = kPageHeaderSize + key.length + kEntryRecordNumberSize;
    }
  }
  for (unsigned shift = kMinPageShift; shift <= kMaxPageShift; ++shift) {
    if ((size_t{1} << shift) >= need) return shift;
  }
  return 0;
}

bool ComputeLayout(FileHeader* h) {
  if (h->pageShift < kMinPageShift || h->pageShift > kMaxPageShift) return false;
  h->pageSize = uint32_t{1} << h->pageShift;
  const uint32_t payload = h->pageSize - kPageHeaderSize;
  if (h->recordLength == 0 || h->recordLength > payload) return false;
  if (HeaderBytes(h->keys.size(), h->segments.size()) > h->pageSize) return false;
  h->recordsPerPage = payload / h->recordLength;
  h->recordPages.Set(h->recordsPerPage);
  h->recordPageCount = CeilDiv(h->recordCount, h->recordsPerPage);
  uint64_t nextPage = 1 + uint64_t{h->recordPageCount};
  for (KeyDesc& key : h->keys) {
    key.entrySize = key.length + kEntryRecordNumberSize;
    if (key.entrySize > payload) return false;
    key.entriesPerPage = payload / key.entrySize;
    key.entryPages.Set(key.entriesPerPage);
    key.indexPageCount = CeilDiv(h->recordCount, key.entriesPerPage);
    key.firstIndexPage = static_cast<uint32_t>(nextPage);
    nextPage += key.indexPageCount;
    if (nextPage > UINT32_MAX) return false;
  }
  if (nextPage > UINT32_MAX) return false;
  h->pageCount = static_cast<uint32_t>(nextPage);
  return true;
}

void EncodeHeaderPage(const FileHeader& h, uint8_t* page) {
  std::memset(page, 0, h.pageSize);
  std::memcpy(page + kHdrMagic, kMagic, sizeof kMagic);
  Store16(page + kHdrFormatVersion, kFormatVersion);
  page[kHdrPageShift] = static_cast<uint8_t>(h.pageShift);
  page[kHdrKeyCount] = static_cast<uint8_t>(h.keys.size());
  Store32(page + kHdrPageCount, h.pageCount);
  Store32(page + kHdrRecordCount, h.recordCount);
  Store16(page + kHdrRecordLength, h.recordLength);
  Store16(page + kHdrStoredPageSize, h.storedPageSize);
  Store16(page + kHdrFileFlags, h.fileFlags);
  page[kHdrFileVersion] = h.fileVersion;
  page[kHdrOwnerFlag] = !h.hasOwner                ? kOwnerNone
                        : h.ownerGuardsChangesOnly ? kOwnerGuardsChanges
                                                   : kOwnerGuardsAll;
  Store16(page + kHdrSegmentCount, static_cast<uint16_t>(h.segments.size()));
  Store32(page + kHdrRecordPageCount, h.recordPageCount);
  std::memcpy(page + kHdrOwnerSalt, h.ownerSalt, kSaltSize);
  std::memcpy(page + kHdrOwnerHash, h.ownerHash, kOwnerHashSize);
  uint8_t* p = page + kHdrKeyTable;
  for (const KeyDesc& key : h.keys) {
    p[kKeyNumber] = key.number;
    p[kKeyFlags] = key.duplicates ? kKeyFlagDuplicates : 0;
    p[kKeySegmentCount] = key.segmentCount;
    p[kKeyLength] = key.length;
    Store16(p + kKeyFirstSegment, key.firstSegment);
    Store32(p + kKeyUniqueValues, key.uniqueValues);
    Store32(p + kKeyFirstIndexPage, key.firstIndexPage);
    p += kKeyDescSize;
  }
  for (const SegmentDesc& seg : h.segments) {
    Store16(p + kSegOffset, seg.offset);
    Store16(p + kSegLength, seg.length);
    p[kSegType] = seg.kind;
    p[kSegFlags] = seg.descending ? kSegFlagDescending : 0;
    p += kSegmentDescSize;
  }
  SealPage(page, h.pageSize, kHeaderPage, 0, 0, 0);
}

int16_t ParseHeaderPage(const uint8_t* file, uint64_t fileSize, FileHeader* out) {
  constexpr int16_t kNotOurs = RECMGR_STATUS_NOT_A_RECMGR_FILE;
  if (file == nullptr || fileSize < kHdrKeyTable) return kNotOurs;
  if (std::memcmp(file + kHdrMagic, kMagic, sizeof kMagic) != 0) return kNotOurs;
  if (Load16(file + kHdrFormatVersion) != kFormatVersion) return kNotOurs;
  const unsigned shift = file[kHdrPageShift];
  if (shift < kMinPageShift || shift > kMaxPageShift) return kNotOurs;
  const uint32_t pageSize = uint32_t{1} << shift;
  if (fileSize < pageSize) return kNotOurs;
  if (Load32(file + kPageCrc) != PageCrc(file, pageSize)) return kNotOurs;
  if (file[kPageType] != kHeaderPage || file[kPageKeyNumber] != 0 || Load16(file + kPageReserved) != 0 ||
      Load32(file + kPageNumber) != 0 || Load32(file + kPageEntryCount) != 0) {
    return kNotOurs;
  }

  FileHeader h;
  h.pageShift = shift;
  const size_t keyCount = file[kHdrKeyCount];
  const size_t segmentCount = Load16(file + kHdrSegmentCount);
  if (keyCount > kMaxKeys || file[kHdrOwnerFlag] > kOwnerGuardsChanges) return kNotOurs;
  if (Load16(file + kHdrReserved1) != 0 || Load32(file + kHdrReserved2) != 0) return kNotOurs;
  if (HeaderBytes(keyCount, segmentCount) > pageSize) return kNotOurs;
  h.recordCount = Load32(file + kHdrRecordCount);
  h.recordLength = Load16(file + kHdrRecordLength);
  h.storedPageSize = Load16(file + kHdrStoredPageSize);
  h.fileFlags = Load16(file + kHdrFileFlags);
  h.fileVersion = file[kHdrFileVersion];
  h.hasOwner = file[kHdrOwnerFlag] != kOwnerNone;
  h.ownerGuardsChangesOnly = file[kHdrOwnerFlag] == kOwnerGuardsChanges;
  std::memcpy(h.ownerSalt, file + kHdrOwnerSalt, kSaltSize);
  std::memcpy(h.ownerHash, file + kHdrOwnerHash, kOwnerHashSize);

  const uint8_t* p = file + kHdrKeyTable;
  std::vector<uint32_t> storedFirstPages;
  h.keys.resize(keyCount);
  storedFirstPages.resize(keyCount);
  for (size_t i = 0; i < keyCount; ++i, p += kKeyDescSize) {
    KeyDesc& key = h.keys[i];
    key.number = p[kKeyNumber];
    if ((p[kKeyFlags] & ~kKeyFlagDuplicates) != 0 || Load16(p + kKeyReserved) != 0) return kNotOurs;
    key.duplicates = (p[kKeyFlags] & kKeyFlagDuplicates) != 0;
    key.segmentCount = p[kKeySegmentCount];
    key.length = p[kKeyLength];
    key.firstSegment = Load16(p + kKeyFirstSegment);
    key.uniqueValues = Load32(p + kKeyUniqueValues);
    storedFirstPages[i] = Load32(p + kKeyFirstIndexPage);
    if (key.uniqueValues > h.recordCount) return kNotOurs;
    if (!key.duplicates && key.uniqueValues != h.recordCount) return kNotOurs;
  }
  h.segments.resize(segmentCount);
  for (size_t i = 0; i < segmentCount; ++i, p += kSegmentDescSize) {
    SegmentDesc& seg = h.segments[i];
    seg.offset = Load16(p + kSegOffset);
    seg.length = Load16(p + kSegLength);
    if (p[kSegType] > kCaseInsensitiveString) return kNotOurs;
    if ((p[kSegFlags] & ~kSegFlagDescending) != 0 || Load16(p + kSegReserved) != 0) return kNotOurs;
    seg.kind = static_cast<SegmentKind>(p[kSegType]);
    seg.descending = (p[kSegFlags] & kSegFlagDescending) != 0;
  }
  if (!KeysAreValid(h) || !ComputeLayout(&h)) return kNotOurs;
  if (Load32(file + kHdrRecordPageCount) != h.recordPageCount) return kNotOurs;
  if (Load32(file + kHdrPageCount) != h.pageCount) return kNotOurs;
  for (size_t i = 0; i < keyCount; ++i) {
    if (storedFirstPages[i] != h.keys[i].firstIndexPage) return kNotOurs;
  }
  if (fileSize != uint64_t{h.pageCount} << shift) return RECMGR_STATUS_IO_ERROR;
  *out = std::move(h);
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace recmgr::format
