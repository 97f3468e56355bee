#include "commit_journal.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "folder_sync.h"

namespace mkdict {
namespace fs = std::filesystem;

const char* const kPrepareJournalName = "MKDICT.PREPARE";
const char* const kCommitJournalName = "MKDICT.COMMIT";

namespace {

constexpr const char* kJournalHeader = "MKDICT JOURNAL 1\n";
constexpr const char* kJournalEnd = "end\n";
constexpr size_t kMaxJournalSize = size_t{1} << 28;  // far above 65536 tables of 4 KiB paths

std::string JournalPath(const std::string& folder, const char* name) { return folder + "/" + name; }

std::string Reason() { return std::strerror(errno); }

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// Each path goes as "<word> <length> <bytes>\n", so any byte may appear in it.
std::string Encode(const Journal& journal) {
  std::string text = kJournalHeader;
  text += "pid " + std::to_string(journal.pid) + "\n";
  auto add = [&](const char* word, const std::string& path) {
    text += std::string(word) + " " + std::to_string(path.size()) + " " + path + "\n";
  };
  for (const std::string& folder : journal.createdFolders) add("folder", folder);
  for (const std::string& target : journal.targets) add("target", target);
  return text + kJournalEnd;
}

// Reads a whole journal; false if it is cut short or is not one.
bool Decode(const std::string& text, Journal* journal) {
  size_t at = 0;
  auto take = [&](const std::string& expected) {
    if (text.compare(at, expected.size(), expected) != 0) return false;
    at += expected.size();
    return true;
  };
  auto number = [&](unsigned long long* value) {
    const size_t start = at;
    *value = 0;
    while (at < text.size() && at - start < 12 && text[at] >= '0' && text[at] <= '9') {
      *value = *value * 10 + static_cast<unsigned>(text[at++] - '0');
    }
    return at > start;
  };
  unsigned long long pid = 0;
  if (!take(kJournalHeader) || !take("pid ") || !number(&pid) || !take("\n") || pid == 0) return false;
  journal->pid = static_cast<long>(pid);
  while (!take(kJournalEnd)) {
    std::vector<std::string>* list = nullptr;
    if (take("folder ")) {
      list = &journal->createdFolders;
    } else if (take("target ")) {
      list = &journal->targets;
    } else {
      return false;
    }
    unsigned long long length = 0;
    if (!number(&length) || !take(" ") || length == 0 || length > text.size() - at) return false;
    list->push_back(text.substr(at, length));
    at += length;
    if (!take("\n") || list->back()[0] != '/') return false;
  }
  return at == text.size();
}

bool ReadJournal(const std::string& path, Journal* journal, std::string* failure) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    *failure = "cannot read " + path + ": " + Reason();
    return false;
  }
  std::string text;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = read(fd, buffer, sizeof buffer)) > 0 && text.size() < kMaxJournalSize) {
    text.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  if (got < 0 || !Decode(text, journal)) {
    *failure = path + " is damaged";
    return false;
  }
  return true;
}

// The run's temporaries of each target that has any, oldest number first.
// Each folder is listed once, however many targets it holds.
std::map<std::string, std::vector<std::string>> TemporariesOf(const std::vector<std::string>& targets,
                                                              long pid) {
  const std::string marker = ".tmp." + std::to_string(pid) + ".";
  std::map<std::string, std::map<std::string, std::string>> targetsByFolder;  // folder → file name → target
  for (const std::string& target : targets) {
    targetsByFolder[FolderOf(target)][fs::path(target).filename().string()] = target;
  }
  std::map<std::string, std::vector<std::pair<unsigned long long, std::string>>> found;
  for (const auto& [folder, names] : targetsByFolder) {
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code)) {
      const std::string name = entry.path().filename().string();
      // The number after the marker has no dot, so the last marker is the one.
      const size_t at = name.rfind(marker);
      if (at == std::string::npos) continue;
      const std::string digits = name.substr(at + marker.size());
      if (digits.empty() || digits.size() > 9 ||
          digits.find_first_not_of("0123456789") != std::string::npos) {
        continue;
      }
      const auto target = names.find(name.substr(0, at));
      if (target != names.end())
        found[target->second].emplace_back(std::stoull(digits), entry.path().string());
    }
  }
  std::map<std::string, std::vector<std::string>> paths;
  for (auto& [target, numbered] : found) {
    std::sort(numbered.begin(), numbered.end());
    for (auto& item : numbered) paths[target].push_back(std::move(item.second));
  }
  return paths;
}

bool Unlink(const std::string& path, std::string* failure) {
  if (unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  *failure = "cannot remove " + path + ": " + Reason();
  return false;
}

// The folders among `folders` that still exist.
std::set<std::string> Existing(const std::set<std::string>& folders) {
  std::set<std::string> existing;
  for (const std::string& folder : folders) {
    if (Exists(folder)) existing.insert(folder);
  }
  return existing;
}

}  // namespace

std::string TemporaryPrefix(const std::string& target, long pid) {
  return target + ".tmp." + std::to_string(pid) + ".";
}

bool LockFolder(const std::string& folder, std::string* failure) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    *failure = "cannot open folder " + folder + ": " + Reason();
    return false;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    *failure = errno == EWOULDBLOCK ? "another mkdict is writing in " + folder
                                    : "cannot lock folder " + folder + ": " + Reason();
    close(fd);
    return false;
  }
  return true;  // the descriptor stays open, and the lock held, until exit
}

bool WritePrepareJournal(const std::string& folder, const Journal& journal, std::string* failure) {
  const std::string path = JournalPath(folder, kPrepareJournalName);
  const std::string text = Encode(journal);
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    *failure = "cannot create " + path + ": " + Reason();
    return false;
  }
  bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && fsync(fd) == 0;
  std::string reason = Reason();
  written = close(fd) == 0 && written;
  if (!written) {
    *failure = "cannot write " + path + ": " + reason;
    unlink(path.c_str());
    return false;
  }
  if (!SyncFolders({folder}, failure)) {
    unlink(path.c_str());
    return false;
  }
  return true;
}

bool CommitJournal(const std::string& folder, std::string* failure) {
  const std::string from = JournalPath(folder, kPrepareJournalName);
  const std::string to = JournalPath(folder, kCommitJournalName);
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    *failure = "cannot rename " + from + " to " + to + ": " + Reason();
    return false;
  }
  return SyncFolders({folder}, failure);
}

bool UndoRun(const std::string& folder, const Journal& journal, std::string* failure) {
  std::set<std::string> changed;
  for (const auto& [target, temporaries] : TemporariesOf(journal.targets, journal.pid)) {
    for (const std::string& temporary : temporaries) {
      if (!Unlink(temporary, failure)) return false;
    }
    changed.insert(FolderOf(target));
  }
  for (auto it = journal.createdFolders.rbegin(); it != journal.createdFolders.rend(); ++it) {
    if (rmdir(it->c_str()) == 0) changed.insert(FolderOf(*it));  // only an empty folder goes
  }
  if (!SyncFolders(Existing(changed), failure)) return false;
  return Unlink(JournalPath(folder, kPrepareJournalName), failure) && SyncFolders({folder}, failure);
}

bool FinishRun(const std::string& folder, const Journal& journal, std::string* failure) {
  std::set<std::string> changed;
  auto found = TemporariesOf(journal.targets, journal.pid);
  for (const std::string& target : journal.targets) {  // in the journal's order
    const auto entry = found.find(target);
    if (entry == found.end()) continue;  // renamed already
    std::vector<std::string>& temporaries = entry->second;
    if (std::rename(temporaries.back().c_str(), target.c_str()) != 0) {
      *failure = "cannot rename " + temporaries.back() + " to " + target + ": " + Reason();
      return false;
    }
    temporaries.pop_back();
    for (const std::string& stray : temporaries) {
      if (!Unlink(stray, failure)) return false;
    }
    changed.insert(FolderOf(target));
  }
  if (!SyncFolders(changed, failure)) return false;
  return Unlink(JournalPath(folder, kCommitJournalName), failure) && SyncFolders({folder}, failure);
}

bool Recover(const std::string& folder, Recovery* done, std::string* failure) {
  *done = Recovery::kNothing;
  const std::string committed = JournalPath(folder, kCommitJournalName);
  const std::string prepared = JournalPath(folder, kPrepareJournalName);
  Journal journal;
  if (Exists(committed)) {
    if (!ReadJournal(committed, &journal, failure) || !FinishRun(folder, journal, failure)) return false;
    *done = Recovery::kFinished;
    return Unlink(prepared, failure);  // cannot exist beside it; removed to be sure
  }
  if (!Exists(prepared)) return true;
  *done = Recovery::kUndone;
  std::string damage;
  if (ReadJournal(prepared, &journal, &damage)) return UndoRun(folder, journal, failure);
  // Cut short while being written: no temporary was made before it was whole.
  return Unlink(prepared, failure) && SyncFolders({folder}, failure);
}

}  // namespace mkdict
