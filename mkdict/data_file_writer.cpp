#include "data_file_writer.h"

#include "data_file_keys.h"

namespace mkdict {
namespace {

std::string CannotHold(const Table& table, const recmgr::Status& status) {
  return "the record manager cannot hold the data file of table " + table.name + ": " + status.Message();
}

}  // namespace

bool StartDataFile(const Database& database, size_t tableNumber, Outputs* out, DataFiles* files,
                   DescriptionError* error) {
  const Table& table = database.tables[tableNumber];
  recmgr::FileSpec spec;
  spec.recordLength = table.recordLength;
  spec.pageSize = table.pageSize;
  spec.fileVersion = table.fileVersion;
  spec.fileFlags = table.fileFlags;
  spec.ownerName = table.owner;
  spec.ownerGuards = table.ownerGuardsChanges ? recmgr::OwnerGuards::kChanges : recmgr::OwnerGuards::kAll;
  spec.sortMemory = out->sortMemory;
  OutputFile file;
  file.path = ResolvePath(out->folder, table.location);
  file.table = tableNumber;
  recmgr::Status status = recmgr::FileWriter::Create(file.path, spec, &file.writer);
  if (!status.IsOk()) {
    *error = {table.pos, CannotHold(table, status)};
    return false;
  }
  files->fileOf.resize(tableNumber + 1, SIZE_MAX);
  files->fileOf[tableNumber] = out->files.size();
  out->files.push_back(std::move(file));
  return true;
}

bool AddRow(size_t tableNumber, std::span<const std::byte> record, Outputs* out, DataFiles* files,
            std::string* failure) {
  const size_t index = files->fileOf[tableNumber];
  if (files->lastFile != index && files->lastFile != SIZE_MAX) {
    OutputFile& last = out->files[files->lastFile];
    recmgr::Status status = last.writer->Idle();
    if (!status.IsOk()) {
      *failure = "cannot write " + last.path + ": " + status.Message();
      return false;
    }
  }
  files->lastFile = index;
  OutputFile& file = out->files[index];
  recmgr::Status status = file.writer->Add(record);
  if (!status.IsOk()) {
    *failure = "cannot write " + file.path + ": " + status.Message();
    return false;
  }
  return true;
}

bool SetDataFileKeys(const Database& database, const DataFiles& files, Outputs* out,
                     DescriptionError* error) {
  for (size_t t = 0; t < files.fileOf.size(); ++t) {
    if (files.fileOf[t] == SIZE_MAX) continue;
    const Table& table = database.tables[t];
    recmgr::Status status = out->files[files.fileOf[t]].writer->SetKeys(DataFileKeys(table));
    if (!status.IsOk()) {
      *error = {table.pos, CannotHold(table, status)};
      return false;
    }
  }
  return true;
}

}  // namespace mkdict
