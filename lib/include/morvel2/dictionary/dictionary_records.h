// Byte layouts of the three dictionary files, spelled out once. All numbers
// are little-endian; names and locations are space-padded, not terminated.
#ifndef MORVEL2_DICTIONARY_DICTIONARY_RECORDS_H
#define MORVEL2_DICTIONARY_DICTIONARY_RECORDS_H

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "dictionary records are read in place as little-endian");

constexpr int kNameWidth = 128;
constexpr int kLocationWidth = 250;

#pragma pack(push, 1)

// PVFILE.DDF: one record per table.
struct FileRecord {
  int32_t tableId;
  char name[kNameWidth];
  char location[kLocationWidth];
  uint32_t flags;
  uint8_t reserved[16];
};

// PVFIELD.DDF: one record per column, plus index-name and constraint
// pseudo-records.
struct FieldRecord {
  int32_t fieldId;
  int32_t tableId;
  char name[kNameWidth];
  uint8_t typeCode;
  int32_t offset;  // index number in an index-name record
  int32_t size;
  uint16_t decimals;
  uint32_t flags;
};

// PVINDEX.DDF: one record per index segment.
struct IndexRecord {
  int32_t tableId;
  int32_t fieldId;
  int32_t indexNumber;
  int32_t segmentNumber;
  uint32_t flags;
};

#pragma pack(pop)

constexpr int kFileRecordSize = 402;
constexpr int kFieldRecordSize = 151;
constexpr int kIndexRecordSize = 20;
static_assert(sizeof(FileRecord) == kFileRecordSize);
static_assert(offsetof(FileRecord, name) == 4 && offsetof(FileRecord, location) == 132 &&
              offsetof(FileRecord, flags) == 382);
static_assert(sizeof(FieldRecord) == kFieldRecordSize);
static_assert(offsetof(FieldRecord, tableId) == 4 && offsetof(FieldRecord, name) == 8 &&
              offsetof(FieldRecord, typeCode) == 136 && offsetof(FieldRecord, offset) == 137 &&
              offsetof(FieldRecord, size) == 141 && offsetof(FieldRecord, decimals) == 145 &&
              offsetof(FieldRecord, flags) == 147);
static_assert(sizeof(IndexRecord) == kIndexRecordSize);
static_assert(offsetof(IndexRecord, indexNumber) == 8 && offsetof(IndexRecord, flags) == 16);

// Table flags.
constexpr uint32_t kTableDictionary = 0x10;
constexpr uint32_t kTableNullable = 0x40;

// Field flags.
constexpr uint32_t kFieldCaseInsensitive = 0x1;
constexpr uint32_t kFieldNullable = 0x4;
constexpr uint32_t kFieldBlobBinary = 0x1000;

// Pseudo-record type codes in PVFIELD.DDF.
constexpr uint8_t kTypeConstraint = 227;
constexpr uint8_t kTypeIndexName = 255;

// Segment flags.
constexpr uint32_t kSegmentDuplicates = 0x1;
constexpr uint32_t kSegmentModifiable = 0x2;
constexpr uint32_t kSegmentAlternateCollation = 0x4;
constexpr uint32_t kSegmentNullKey = 0x8;
constexpr uint32_t kSegmentCaseInsensitive = 0x20;
constexpr uint32_t kSegmentDescending = 0x40;

// Dictionary file names and the keys the report searches on.
constexpr const char* kFileDictionaryName = "PVFILE.DDF";
constexpr const char* kFieldDictionaryName = "PVFIELD.DDF";
constexpr const char* kIndexDictionaryName = "PVINDEX.DDF";

constexpr int kFileKeyTableName = 1;      // name, 128 bytes, unique, case-insensitive
constexpr int kFieldKeyFieldId = 0;       // field id
constexpr int kFieldKeyTableId = 1;       // table id
constexpr int kFieldKeyTableOffset = 4;   // table id, offset, decimal places
constexpr int kIndexKeyTableSegment = 2;  // table id, index number, segment number

// Longest master password, and longest owner name a data file may carry,
// in bytes.
constexpr int kMasterPasswordLength = 51;

// Owner name the dictionary carries when no master password is set.
constexpr const char* kDefaultOwnerName = "..QV....";

#endif  // MORVEL2_DICTIONARY_DICTIONARY_RECORDS_H
