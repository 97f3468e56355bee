#include "output_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "commit_journal.h"
#include "folder_sync.h"
#include "location_checks.h"

namespace mkdict {
namespace fs = std::filesystem;

namespace {

// The folders missing above the targets, each after its parent.
std::vector<std::string> MissingFolders(const std::vector<std::string>& targets) {
  std::vector<std::string> missing;
  std::set<std::string> seen;
  for (const std::string& target : targets) {
    std::vector<std::string> chain;
    std::error_code ignored;
    for (fs::path at = fs::path(target).parent_path(); at != at.parent_path() && !fs::exists(at, ignored);
         at = at.parent_path()) {
      chain.push_back(at.string());
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      if (seen.insert(*it).second) missing.push_back(*it);
    }
  }
  return missing;
}

// Stages every file and takes its temporary over from the writer.
bool StageAll(const Journal& journal, std::vector<OutputFile>* files, std::set<std::string>* changed,
              std::string* failure, std::optional<DataFileClash>* clash,
              const std::function<void(const OutputFile& file, size_t done)>& onStage) {
  for (size_t i = 0; i < files->size(); ++i) {
    OutputFile& file = (*files)[i];
    onStage(file, i);
    const recmgr::Status status = file.writer->Stage();
    if (!status.IsOk()) {
      if (status.Code() == RECMGR_STATUS_DUPLICATE_KEY && file.table != SIZE_MAX) {
        *clash = DataFileClash{file.table, file.writer->Clash()};
      }
      *failure = "cannot write " + file.path + ": " + status.Message();
      return false;
    }
    // Recovery finds temporaries by this prefix alone.
    const std::string temporary = file.writer->ReleaseStaged();
    const std::string prefix = TemporaryPrefix(journal.targets[i], journal.pid);
    const std::string name = fs::path(temporary).filename().string();
    if (FolderOf(temporary) != FolderOf(file.path) ||
        name.rfind(fs::path(prefix).filename().string(), 0) != 0) {
      *failure =
          "the record manager staged " + file.path + " as " + temporary + ", not beside it as expected";
      unlink(temporary.c_str());
      return false;
    }
    changed->insert(FolderOf(journal.targets[i]));
  }
  return true;
}

}  // namespace

std::string ResolvePath(const std::string& folder, const std::string& location) {
  fs::path path(location);
  if (path.is_absolute()) return location;
  return (fs::path(folder) / path).string();
}

void Abandon(Outputs* out) { out->files.clear(); }

bool WriteAll(const std::string& folder, std::vector<OutputFile>* files, std::string* failure,
              std::optional<DataFileClash>* clash,
              const std::function<void(const OutputFile& file, size_t done)>& onStage) {
  Journal journal;
  journal.pid = getpid();
  for (const OutputFile& file : *files) journal.targets.push_back(EntryPath(file.path));
  journal.createdFolders = MissingFolders(journal.targets);
  if (!WritePrepareJournal(folder, journal, failure)) return false;
  auto undo = [&] {
    files->clear();  // abandons every temporary still staged
    std::string ignored;
    UndoRun(folder, journal, &ignored);
    return false;
  };
  std::set<std::string> changed;  // folders whose entries the run changes
  for (const std::string& created : journal.createdFolders) {
    if (mkdir(created.c_str(), 0777) != 0) {
      *failure = "cannot create folder " + created + ": " + std::strerror(errno);
      return undo();
    }
    changed.insert(FolderOf(created));
  }
  if (!StageAll(journal, files, &changed, failure, clash, onStage) || !SyncFolders(changed, failure) ||
      !CommitJournal(folder, failure)) {
    return undo();
  }
  files->clear();
  if (FinishRun(folder, journal, failure)) return true;
  *failure += "; mkdict --recover -o " + folder + " finishes the run";
  return false;
}

}  // namespace mkdict
