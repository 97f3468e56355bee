#include "data_file_writer.h"

#include "data_file_keys.h"

namespace mkdict {

bool PrepareDataFile(const Table& table, const std::string& folder, std::vector<OutputFile>* files,
                     DescriptionError* error) {
  recmgr::FileSpec spec;
  spec.recordLength = table.recordLength;
  spec.pageSize = table.pageSize;
  spec.fileVersion = table.fileVersion;
  spec.fileFlags = table.fileFlags;
  spec.ownerName = table.owner;
  spec.ownerGuards = table.ownerGuardsChanges ? recmgr::OwnerGuards::kChanges : recmgr::OwnerGuards::kAll;
  spec.keys = DataFileKeys(table);
  OutputFile file;
  file.path = ResolvePath(folder, table.location);
  int16_t status = recmgr::FileWriter::Create(file.path, spec, &file.writer);
  if (status != 0) {
    *error = {table.pos, "the record manager cannot hold the data file of table " + table.name + " (status " +
                             std::to_string(status) + ")"};
    return false;
  }
  for (const Row& row : table.rows) {
    status = file.writer->Add(row.record);
    if (status != 0) {
      *error = {row.pos, "the record manager refuses this row of table " + table.name + " (status " +
                             std::to_string(status) + ")"};
      return false;
    }
  }
  files->push_back(std::move(file));
  return true;
}

}  // namespace mkdict
