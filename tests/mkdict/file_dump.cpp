#include "file_dump.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "morvel2/dictionary/dictionary_records.h"
#include "recmgr/recmgr.h"
#include "recmgr_reader.h"

namespace mkdicttest {
namespace {

std::string Format(const char* format, auto... values) {
  char line[512];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

std::string ShowText(const char* field, size_t width) {
  size_t end = width;
  while (end > 0 && field[end - 1] == ' ') --end;
  std::string shown = "\"";
  for (size_t i = 0; i < end; ++i) {
    auto c = static_cast<unsigned char>(field[i]);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      shown.push_back(static_cast<char>(c));
    } else {
      shown += Format("\\x%02x", c);
    }
  }
  return shown + "\"";
}

template <typename Record>
Record Decode(const std::string& bytes) {
  Record record{};
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
  return record;
}

uint32_t Little(const std::string& bytes, size_t offset, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    value |= uint32_t{static_cast<uint8_t>(bytes[offset + i])} << (8 * i);
  }
  return value;
}

std::string DumpFile(const std::string& path, const std::string& owner, int key, size_t recordSize,
                     std::string (*show)(const std::string&)) {
  std::vector<std::string> records;
  int16_t status = ReadRecords(path, owner, key, &records);
  std::string dump;
  for (const std::string& record : records) {
    dump += recordSize == 0 || record.size() == recordSize ? show(record)
                                                           : Format("record of %zu bytes\n", record.size());
  }
  if (status != 0) dump += Format("status %d\n", status);
  return dump;
}

std::string ShowFileRecord(const std::string& bytes) {
  auto record = Decode<FileRecord>(bytes);
  std::string line = Format("file id=%d name=", record.tableId) + ShowText(record.name, kNameWidth) +
                     " location=" + ShowText(record.location, kLocationWidth) +
                     Format(" flags=0x%08x", record.flags);
  std::string reserved(reinterpret_cast<const char*>(record.reserved), sizeof record.reserved);
  if (reserved != std::string(sizeof record.reserved, '\0')) line += " reserved=" + Hex(reserved);
  return line + "\n";
}

std::string ShowFieldRecord(const std::string& bytes) {
  auto record = Decode<FieldRecord>(bytes);
  return Format("field id=%d table=%d type=%u offset=%d size=%d dec=%u flags=0x%08x name=", record.fieldId,
                record.tableId, unsigned{record.typeCode}, record.offset, record.size,
                unsigned{record.decimals}, record.flags) +
         ShowText(record.name, kNameWidth) + "\n";
}

std::string ShowIndexRecord(const std::string& bytes) {
  auto record = Decode<IndexRecord>(bytes);
  return Format("index table=%d field=%d number=%d segment=%d flags=0x%08x\n", record.tableId, record.fieldId,
                record.indexNumber, record.segmentNumber, record.flags);
}

}  // namespace

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (char c : bytes) hex += Format("%02x", static_cast<unsigned char>(c));
  return hex;
}

namespace {

std::string ShowDataRecord(const std::string& bytes) { return "record " + Hex(bytes) + "\n"; }

}  // namespace

std::string DumpDictionary(const std::string& folder, const std::string& owner) {
  return DumpFile(folder + "/" + kFileDictionaryName, owner, 0, kFileRecordSize, ShowFileRecord) +
         DumpFile(folder + "/" + kFieldDictionaryName, owner, 0, kFieldRecordSize, ShowFieldRecord) +
         DumpFile(folder + "/" + kIndexDictionaryName, owner, kIndexKeyTableSegment, kIndexRecordSize,
                  ShowIndexRecord);
}

std::string DumpDataFile(const std::string& path, int keyNumber, const std::string& owner) {
  std::string stat;
  int16_t status = StatFile(path, owner, &stat);
  if (status != 0) return Format("status %d\n", status);
  std::string dump =
      Format("stat records=%u length=%u pagesize=%u version=0x%02x flags=0x%04x keys=%u unused=%u\n",
             Little(stat, RECMGR_STAT_RECORD_COUNT, 4), Little(stat, RECMGR_STAT_RECORD_LENGTH, 2),
             Little(stat, RECMGR_STAT_PAGE_SIZE, 2), Little(stat, RECMGR_STAT_FILE_VERSION, 1),
             Little(stat, RECMGR_STAT_FILE_FLAGS, 2), Little(stat, RECMGR_STAT_KEY_COUNT, 1),
             Little(stat, RECMGR_STAT_UNUSED_PAGES, 2));
  for (size_t at = RECMGR_STAT_FILE_SPEC_SIZE; at + RECMGR_STAT_KEY_SPEC_SIZE <= stat.size();
       at += RECMGR_STAT_KEY_SPEC_SIZE) {
    dump += Format(
        "  key %u pos=%u len=%u flags=0x%04x unique=%u\n", Little(stat, at + RECMGR_STAT_KEY_NUMBER, 1),
        Little(stat, at + RECMGR_STAT_SEGMENT_POSITION, 2), Little(stat, at + RECMGR_STAT_SEGMENT_LENGTH, 2),
        Little(stat, at + RECMGR_STAT_SEGMENT_FLAGS, 2), Little(stat, at + RECMGR_STAT_UNIQUE_VALUES, 4));
  }
  if (keyNumber >= 0) dump += DumpFile(path, owner, keyNumber, 0, ShowDataRecord);
  return dump;
}

}  // namespace mkdicttest
