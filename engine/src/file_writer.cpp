// FileWriter: records go into record pages of an unnamed temporary as they
// are added (nothing with a name exists before Stage(), so a caller can
// journal its files first). Stage() copies them into the staged temporary,
// builds each key's index pages from them there, then
// writes the header page, whose unique-value counts are known only then.
#include <cstring>
#include <exception>
#include <new>
#include <random>
#include <utility>

#include "byte_order.h"
#include "file_header.h"
#include "file_io.h"
#include "file_spec_check.h"
#include "index_builder.h"
#include "owner_name.h"
#include "page_format.h"
#include "recmgr/recmgr.h"
#include "recmgr/writer.h"
#include "record_pages.h"
#include "staged_file.h"

namespace recmgr {

namespace {

constexpr size_t kDefaultSortMemory = size_t{8} << 20;

Status OutOfMemory() { return {RECMGR_STATUS_IO_ERROR, "out of memory"}; }

Status CallOrder() { return {RECMGR_STATUS_INVALID_OPERATION, "called out of order"}; }

}  // namespace

struct FileWriter::State {
  std::string path;
  FileSpec spec;              // keys as last set
  format::FileHeader header;  // from spec
  StagedFile file;
  StagedFile store;     // unnamed, holds the records until Stage()
  RecordPages records;  // in pages of the size chosen at Create()
  unsigned recordShift;
  KeyClash clash;
  bool stageCalled = false;
  bool staged = false;
  bool committed = false;

  // Completes the file in the temporary. The caller discards it on failure.
  Status WriteFile();

  State(const std::string& p, const FileSpec& s, format::FileHeader h)
      : path(p),
        spec(s),
        header(std::move(h)),
        records(path, store, uint32_t{1} << header.pageShift, header.recordLength,
                NearestExistingFolder(path)),
        recordShift(header.pageShift) {}
};

namespace {

void MakeSalt(uint8_t salt[format::kSaltSize]) {
  std::random_device source;
  for (size_t i = 0; i < format::kSaltSize; i += 4) {
    format::Store32(salt + i, static_cast<uint32_t>(source()));
  }
}

// Copies the records from the unnamed store (pages of 2^oldShift bytes) into
// a fresh staged temporary laid out with pages of h.pageSize.
Status CopyRecords(const std::string& path, const format::FileHeader& h, unsigned oldShift,
                   const StagedFile& store, StagedFile* file) {
  StagedFile repaged;
  RecordPages pages(path, repaged, h.pageSize, h.recordLength);
  RecordScan scan(store.fd, uint32_t{1} << oldShift, h.recordLength, h.recordCount);
  Status status;
  for (uint32_t r = 0; r < h.recordCount; ++r) {
    const uint8_t* record = scan.Next(&status);
    if (record == nullptr) break;
    status = pages.Add(record);
    if (!status.IsOk()) break;
  }
  if (status.IsOk()) status = pages.WriteAll(false);
  if (!status.IsOk()) {
    DiscardStaged(repaged);
    return status;
  }
  *file = std::exchange(repaged, StagedFile{});
  return Status::Ok();
}

std::string ClashText(const KeyClash& clash) {
  return "key " + std::to_string(clash.key) + " allows no duplicates, and records " +
         std::to_string(clash.first) + " and " + std::to_string(clash.second) + " hold one value";
}

}  // namespace

Status FileWriter::Create(const std::string& path, const FileSpec& spec,
                          std::unique_ptr<FileWriter>* out) try {
  if (out == nullptr) return CallOrder();
  if (path.empty() || path.find('\0') != std::string::npos) {
    return {RECMGR_STATUS_INVALID_FILE_NAME, "a file name is empty or holds a NUL"};
  }
  format::FileHeader header;
  Status status = HeaderFromSpec(spec, &header);
  if (!status.IsOk()) return status;
  auto state = std::make_unique<State>(path, spec, std::move(header));
  out->reset(new FileWriter(std::move(state)));
  return Status::Ok();
} catch (...) {
  return OutOfMemory();
}

FileWriter::FileWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}

FileWriter::~FileWriter() {
  CloseStaged(state_->store);
  DiscardStaged(state_->file);
}

Status FileWriter::SetKeys(const std::vector<KeySpec>& keys) try {
  State& s = *state_;
  if (s.stageCalled) return CallOrder();
  FileSpec spec = s.spec;
  spec.keys = keys;
  format::FileHeader header;
  Status status = HeaderFromSpec(spec, &header);
  if (!status.IsOk()) return status;
  s.spec = std::move(spec);
  s.header = std::move(header);
  return Status::Ok();
} catch (...) {
  return OutOfMemory();
}

Status FileWriter::Add(std::span<const std::byte> record) try {
  State& s = *state_;
  if (s.stageCalled) return CallOrder();
  if (record.size() != s.header.recordLength) {
    return {RECMGR_STATUS_DATA_BUFFER_TOO_SHORT, "a record of " + std::to_string(record.size()) +
                                                     " bytes, not the record length " +
                                                     std::to_string(s.header.recordLength)};
  }
  if (s.records.RecordCount() == UINT32_MAX) {
    return {RECMGR_STATUS_IO_ERROR, "more than 4294967295 records"};
  }
  return s.records.Add(reinterpret_cast<const uint8_t*>(record.data()));
} catch (...) {
  return OutOfMemory();
}

Status FileWriter::Idle() try {
  State& s = *state_;
  if (s.stageCalled || s.records.RecordCount() == 0) return Status::Ok();
  return s.records.WriteAll(true);
} catch (...) {
  return OutOfMemory();
}

Status FileWriter::State::WriteFile() {
  State& s = *this;
  format::FileHeader h = s.header;
  h.recordCount = s.records.RecordCount();
  if (!format::ComputeLayout(&h)) {
    return {RECMGR_STATUS_IO_ERROR, "the file would be larger than 4294967295 pages"};
  }
  Status status = s.records.WriteAll(false);
  if (!status.IsOk()) return status;
  status = CopyRecords(s.path, h, s.recordShift, s.store, &s.file);
  CloseStaged(s.store);
  if (!status.IsOk()) return status;
  const size_t sortMemory = s.spec.sortMemory == 0 ? kDefaultSortMemory : s.spec.sortMemory;
  const std::string folder = FolderOf(s.path);
  for (format::KeyDesc& key : h.keys) {
    BuiltIndex index;
    status = BuildIndex(s.file.fd, h, key, sortMemory, folder, &index);
    if (!status.IsOk()) return status;
    if (index.clash) {
      s.clash = {key.number, index.first, index.second};
      return {RECMGR_STATUS_DUPLICATE_KEY, ClashText(s.clash)};
    }
    key.uniqueValues = index.uniqueValues;
  }
  if (h.hasOwner) {
    MakeSalt(h.ownerSalt);
    format::HashOwnerName(h.ownerSalt, s.spec.ownerName, h.ownerHash);
  }
  std::vector<uint8_t> page(h.pageSize);
  format::EncodeHeaderPage(h, page.data());
  status = WriteAt(s.file.fd, 0, page.data(), page.size());
  if (!status.IsOk()) return status;
  return FinishStaged(s.file);
}

Status FileWriter::Stage() try {
  State& s = *state_;
  if (s.staged) return CallOrder();
  s.stageCalled = true;
  Status status;
  try {
    status = s.WriteFile();
  } catch (const std::bad_alloc&) {
    status = OutOfMemory();
  } catch (const std::exception&) {  // no random source
    status = {RECMGR_STATUS_IO_ERROR, "no random source for the owner name's salt"};
  }
  if (!status.IsOk()) {
    DiscardStaged(s.file);
    return status;
  }
  s.staged = true;
  return Status::Ok();
} catch (...) {  // a reason that could not be put in words for want of memory
  DiscardStaged(state_->file);
  return OutOfMemory();
}

const KeyClash& FileWriter::Clash() const { return state_->clash; }

Status FileWriter::Commit() try {
  State& s = *state_;
  if (!s.staged || s.committed) return CallOrder();
  Status status = CommitStaged(s.file);
  if (status.IsOk()) {
    s.committed = true;
  } else {
    s.staged = false;  // the temporary is gone
  }
  return status;
} catch (...) {
  return OutOfMemory();
}

std::string FileWriter::ReleaseStaged() {
  State& s = *state_;
  if (!s.staged || s.committed) return "";
  std::string path = std::move(s.file.tempPath);
  s.file.tempPath.clear();
  s.staged = false;
  return path;
}

Status FileWriter::Finish() {
  Status status = Stage();
  return status.IsOk() ? Commit() : status;
}

}  // namespace recmgr
