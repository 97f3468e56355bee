// FileWriter: collects records in memory, then writes the header page, the
// record pages (insertion order) and each key's index pages in one pass.
#include <cstring>
#include <exception>
#include <random>

#include "byte_order.h"
#include "file_header.h"
#include "file_spec_check.h"
#include "index_builder.h"
#include "owner_name.h"
#include "page_format.h"
#include "page_sink.h"
#include "recmgr/recmgr.h"
#include "recmgr/writer.h"
#include "staged_file.h"

namespace recmgr {

struct FileWriter::State {
  std::string path;
  std::string ownerName;
  format::FileHeader header;  // attributes, keys and page shift from the FileSpec
  std::vector<uint8_t> records;
  uint32_t recordCount = 0;
  bool stageCalled = false;
  bool staged = false;
  bool committed = false;
  StagedFile file;
};

namespace {

void MakeSalt(uint8_t salt[format::kSaltSize]) {
  std::random_device source;
  for (size_t i = 0; i < format::kSaltSize; i += 4) {
    format::Store32(salt + i, static_cast<uint32_t>(source()));
  }
}

void WriteRecordPages(const format::FileHeader& h, const uint8_t* records, PageSink& sink) {
  for (uint32_t page = 0; page < h.recordPageCount; ++page) {
    const uint32_t first = page * h.recordsPerPage;
    const uint32_t count = std::min(h.recordsPerPage, h.recordCount - first);
    uint8_t* p = sink.NextPage();
    std::memcpy(p + format::kPageHeaderSize, records + size_t{first} * h.recordLength,
                size_t{count} * h.recordLength);
    format::SealPage(p, h.pageSize, format::kRecordPage, 0, 1 + page, count);
  }
}

void WriteIndexPages(const format::FileHeader& h, const format::KeyDesc& key, const BuiltIndex& index,
                     PageSink& sink) {
  for (uint32_t page = 0; page < key.indexPageCount; ++page) {
    const uint32_t first = page * key.entriesPerPage;
    const uint32_t count = std::min(key.entriesPerPage, h.recordCount - first);
    uint8_t* p = sink.NextPage();
    uint8_t* entry = p + format::kPageHeaderSize;
    for (uint32_t i = first; i < first + count; ++i, entry += key.entrySize) {
      const uint32_t record = index.order[i];
      std::memcpy(entry, index.keyValues.data() + size_t{record} * key.length, key.length);
      format::Store32(entry + key.length, record);
    }
    format::SealPage(p, h.pageSize, format::kIndexPage, key.number, key.firstIndexPage + page, count);
  }
}

// Builds every index, then writes the file. The temporary is left open or
// written; the caller discards it on failure.
int16_t WriteFile(const std::string& path, const std::string& ownerName, const uint8_t* records,
                  format::FileHeader& h, StagedFile* file) {
  std::vector<BuiltIndex> indexes(h.keys.size());
  for (size_t k = 0; k < h.keys.size(); ++k) {
    const int16_t status = BuildIndex(h, h.keys[k], records, h.recordCount, &indexes[k]);
    if (status != RECMGR_STATUS_SUCCESS) return status;
    h.keys[k].uniqueValues = indexes[k].uniqueValues;
  }
  if (h.hasOwner) {
    MakeSalt(h.ownerSalt);
    format::HashOwnerName(h.ownerSalt, ownerName, h.ownerHash);
  }

  const int16_t status = CreateStagedFile(path, file);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  PageSink sink(*file, h.pageSize);
  format::EncodeHeaderPage(h, sink.NextPage());
  WriteRecordPages(h, records, sink);
  for (size_t k = 0; k < h.keys.size(); ++k) WriteIndexPages(h, h.keys[k], indexes[k], sink);
  if (!sink.Flush() || !FinishStaged(*file)) return RECMGR_STATUS_IO_ERROR;
  return RECMGR_STATUS_SUCCESS;
}

}  // namespace

int16_t FileWriter::Create(const std::string& path, const FileSpec& spec, std::unique_ptr<FileWriter>* out) {
  if (out == nullptr) return RECMGR_STATUS_INVALID_OPERATION;
  if (path.empty() || path.find('\0') != std::string::npos) {
    return RECMGR_STATUS_INVALID_FILE_NAME;
  }
  auto state = std::make_unique<State>();
  const int16_t status = HeaderFromSpec(spec, &state->header);
  if (status != RECMGR_STATUS_SUCCESS) return status;
  state->path = path;
  state->ownerName = spec.ownerName;
  out->reset(new FileWriter(std::move(state)));
  return RECMGR_STATUS_SUCCESS;
}

FileWriter::FileWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}

FileWriter::~FileWriter() { DiscardStaged(state_->file); }

int16_t FileWriter::Add(std::span<const std::byte> record) {
  State& s = *state_;
  if (s.stageCalled) return RECMGR_STATUS_INVALID_OPERATION;
  if (record.size() != s.header.recordLength) return RECMGR_STATUS_DATA_BUFFER_TOO_SHORT;
  if (s.recordCount == UINT32_MAX) return RECMGR_STATUS_IO_ERROR;
  const auto* bytes = reinterpret_cast<const uint8_t*>(record.data());
  s.records.insert(s.records.end(), bytes, bytes + record.size());
  ++s.recordCount;
  return RECMGR_STATUS_SUCCESS;
}

int16_t FileWriter::Stage() {
  State& s = *state_;
  if (s.staged) return RECMGR_STATUS_INVALID_OPERATION;
  s.stageCalled = true;
  format::FileHeader h = s.header;
  h.recordCount = s.recordCount;
  int16_t status = RECMGR_STATUS_IO_ERROR;  // also: the file would exceed 2^32 - 1 pages
  try {
    if (format::ComputeLayout(&h)) {
      status = WriteFile(s.path, s.ownerName, s.records.data(), h, &s.file);
    }
  } catch (const std::exception&) {  // out of memory, no random source
    status = RECMGR_STATUS_IO_ERROR;
  }
  if (status != RECMGR_STATUS_SUCCESS) {
    DiscardStaged(s.file);
    return status;
  }
  s.staged = true;
  return RECMGR_STATUS_SUCCESS;
}

int16_t FileWriter::Commit() {
  State& s = *state_;
  if (!s.staged || s.committed) return RECMGR_STATUS_INVALID_OPERATION;
  const int16_t status = CommitStaged(s.file);
  if (status == RECMGR_STATUS_SUCCESS) {
    s.committed = true;
    s.records = {};  // the records are on disk now
  } else {
    s.staged = false;  // the temporary is gone
  }
  return status;
}

std::string FileWriter::ReleaseStaged() {
  State& s = *state_;
  if (!s.staged || s.committed) return "";
  std::string path = std::move(s.file.tempPath);
  s.file.tempPath.clear();
  s.staged = false;
  s.records = {};
  return path;
}

int16_t FileWriter::Finish() {
  const int16_t status = Stage();
  return status != RECMGR_STATUS_SUCCESS ? status : Commit();
}

}  // namespace recmgr
