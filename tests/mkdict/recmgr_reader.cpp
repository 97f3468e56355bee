#include "recmgr_reader.h"

#include <memory>

#include "morvel2/engine_access/recmgr_file.h"
#include "morvel2/engine_access/recmgr_loader.h"
#include "recmgr/recmgr.h"

namespace mkdicttest {
namespace {

// Opens `path` through the engine this test links.
int Open(RecmgrFile* file, const std::string& path, const std::string& owner) {
  SetRecordManagerEntry(&RecmgrCall);
  return file->Open(path, owner);
}

}  // namespace

int16_t ReadRecords(const std::string& path, const std::string& owner, int keyNumber,
                    std::vector<std::string>* records) {
  RecmgrFile file;
  const int opened = Open(&file, path, owner);
  if (opened != 0) return static_cast<int16_t>(opened);
  std::string buffer(70000, '\0');
  const auto capacity = static_cast<uint32_t>(buffer.size());
  uint32_t length = 0;
  for (int status = file.GetFirst(keyNumber, buffer.data(), capacity, &length);;
       status = file.GetNext(buffer.data(), capacity, &length)) {
    if (status == RECMGR_STATUS_END_OF_FILE) return 0;
    if (status != 0) return static_cast<int16_t>(status);
    records->push_back(buffer.substr(0, length));
  }
}

int16_t StatFile(const std::string& path, const std::string& owner, std::string* stat) {
  RecmgrFile file;
  const int opened = Open(&file, path, owner);
  if (opened != 0) return static_cast<int16_t>(opened);
  const auto statistics = std::make_unique<StatisticsRecord>();
  uint32_t filled = 0;
  const int status = file.Stat(statistics.get(), &filled);
  if (status == 0) stat->assign(reinterpret_cast<const char*>(statistics->bytes), filled);
  return static_cast<int16_t>(status);
}

}  // namespace mkdicttest
