#include "dictionary_writer.h"

#include <cstddef>
#include <cstring>
#include <span>

#include "morvel2/dictionary/dictionary_records.h"

namespace mkdict {
namespace {

using recmgr::KeySegment;
using recmgr::KeySpec;
using recmgr::SegmentType;

KeySegment Integer(size_t offset, size_t length) {
  return {static_cast<uint16_t>(offset), static_cast<uint16_t>(length), SegmentType::kSignedInteger, false};
}

KeySegment Text(size_t offset, SegmentType type) {
  return {static_cast<uint16_t>(offset), static_cast<uint16_t>(kNameWidth), type, false};
}

// Key 0 table id (unique); key 1 table name (unique, case-insensitive).
std::vector<KeySpec> FileDictionaryKeys() {
  return {{0, false, {Integer(offsetof(FileRecord, tableId), 4)}},
          {1, false, {Text(offsetof(FileRecord, name), SegmentType::kCaseInsensitiveString)}}};
}

// Key 0 field id (unique); keys 1 to 4 allow duplicates: table id; field
// name; table id and field name; table id, offset and decimal places.
std::vector<KeySpec> FieldDictionaryKeys() {
  KeySegment table = Integer(offsetof(FieldRecord, tableId), 4);
  KeySegment name = Text(offsetof(FieldRecord, name), SegmentType::kString);
  return {{0, false, {Integer(offsetof(FieldRecord, fieldId), 4)}},
          {1, true, {table}},
          {2, true, {name}},
          {3, true, {table, name}},
          {4,
           true,
           {table, Integer(offsetof(FieldRecord, offset), 4), Integer(offsetof(FieldRecord, decimals), 2)}}};
}

// Key 0 table id and key 1 field id (duplicates); key 2 table id, index
// number and segment number (unique).
std::vector<KeySpec> IndexDictionaryKeys() {
  KeySegment table = Integer(offsetof(IndexRecord, tableId), 4);
  return {{0, true, {table}},
          {1, true, {Integer(offsetof(IndexRecord, fieldId), 4)}},
          {2,
           false,
           {table, Integer(offsetof(IndexRecord, indexNumber), 4),
            Integer(offsetof(IndexRecord, segmentNumber), 4)}}};
}

void PutText(char* field, size_t width, const std::string& text) {
  std::memset(field, ' ', width);
  std::memcpy(field, text.data(), text.size());
}

FieldRecord MakeFieldRecord(int32_t fieldId, int32_t tableId, const std::string& name, uint8_t typeCode,
                            int32_t offset) {
  FieldRecord record{};
  record.fieldId = fieldId;
  record.tableId = tableId;
  PutText(record.name, kNameWidth, name);
  record.typeCode = typeCode;
  record.offset = offset;
  return record;
}

struct DictionaryFile {
  const char* name;
  int recordLength;
  std::vector<KeySpec> keys;
};

template <typename Record>
bool AddRecord(OutputFile& file, const Record& record, std::string* failure) {
  recmgr::Status status = file.writer->Add(std::as_bytes(std::span(&record, 1)));
  if (status.IsOk()) return true;
  *failure = "cannot write " + file.path + ": " + status.Message();
  return false;
}

}  // namespace

bool PrepareDictionary(const Database& database, const std::string& folder, const std::string& ownerName,
                       recmgr::OwnerGuards ownerGuards, std::vector<OutputFile>* files,
                       std::string* failure) {
  DictionaryFile dictionaries[] = {
      {kFileDictionaryName, kFileRecordSize, FileDictionaryKeys()},
      {kFieldDictionaryName, kFieldRecordSize, FieldDictionaryKeys()},
      {kIndexDictionaryName, kIndexRecordSize, IndexDictionaryKeys()},
  };
  OutputFile out[3];
  for (int i = 0; i < 3; ++i) {
    recmgr::FileSpec spec;
    spec.recordLength = static_cast<uint16_t>(dictionaries[i].recordLength);
    spec.ownerName = ownerName;
    spec.ownerGuards = ownerGuards;
    spec.keys = dictionaries[i].keys;
    out[i].path = ResolvePath(folder, dictionaries[i].name);
    recmgr::Status status = recmgr::FileWriter::Create(out[i].path, spec, &out[i].writer);
    if (!status.IsOk()) {
      *failure = "cannot start " + out[i].path + ": " + status.Message();
      return false;
    }
  }
  for (const Table& table : database.tables) {
    FileRecord file{};
    file.tableId = table.id;
    PutText(file.name, kNameWidth, table.name);
    PutText(file.location, kLocationWidth, table.location);
    file.flags = table.flags;
    if (!AddRecord(out[0], file, failure)) return false;
    for (const Column& column : table.columns) {
      FieldRecord field =
          MakeFieldRecord(column.fieldId, table.id, column.name, column.typeCode, column.offset);
      field.size = column.size;
      field.decimals = column.decimals;
      field.flags = column.flags;
      if (!AddRecord(out[1], field, failure)) return false;
    }
    for (const Constraint& constraint : table.constraints) {
      FieldRecord field =
          MakeFieldRecord(constraint.fieldId, table.id, constraint.name, kTypeConstraint, constraint.offset);
      if (!AddRecord(out[1], field, failure)) return false;
    }
    for (const Index& index : table.indexes) {
      if (index.name) {
        FieldRecord field =
            MakeFieldRecord(index.nameFieldId, table.id, *index.name, kTypeIndexName, index.number);
        if (!AddRecord(out[1], field, failure)) return false;
      }
      for (size_t i = 0; i < index.segments.size(); ++i) {
        const Segment& segment = index.segments[i];
        IndexRecord record{table.id, table.columns[segment.column].fieldId, index.number,
                           static_cast<int32_t>(i), segment.flags};
        if (!AddRecord(out[2], record, failure)) return false;
      }
    }
  }
  for (OutputFile& file : out) files->push_back(std::move(file));
  return true;
}

}  // namespace mkdict
