// The commit journal: how one run puts its files in place all or none, and
// how a later run finishes or undoes a run that died (docs/commit.md).
//
// FOLDER/MKDICT.PREPARE names the run's process id, the folders it creates
// and its target files; it is synced before the first temporary is made.
// Every temporary is `<target>.tmp.<pid>.<n>`, beside its target. Renaming
// the journal to MKDICT.COMMIT is the commit point: before it, recovery
// removes the temporaries and created folders; after it, recovery renames
// each remaining temporary onto its target. Deleting the journal ends the run.
#ifndef MKDICT_COMMIT_JOURNAL_H
#define MKDICT_COMMIT_JOURNAL_H

#include <string>
#include <vector>

namespace mkdict {

extern const char* const kPrepareJournalName;
extern const char* const kCommitJournalName;

struct Journal {
  long pid = 0;
  std::vector<std::string> createdFolders;  // absolute, each after its parent
  std::vector<std::string> targets;         // absolute
};

// Takes an exclusive lock on `folder`, held until the process ends, so two
// runs on one folder never interleave. Returns false with *failure if
// another run holds it or the folder can't be opened.
bool LockFolder(const std::string& folder, std::string* failure);

enum class Recovery { kNothing, kUndone, kFinished };

// Finishes or undoes whatever a dead run left in `folder` (nothing to do if
// it holds no journal). Returns false with *failure if that fails; running
// it again later continues where it stopped.
bool Recover(const std::string& folder, Recovery* done, std::string* failure);

// Writes FOLDER/MKDICT.PREPARE and syncs it and the folder.
bool WritePrepareJournal(const std::string& folder, const Journal& journal, std::string* failure);

// The commit point: renames the journal to MKDICT.COMMIT and syncs the folder.
// REQUIRES: every temporary is written and synced, and so are their folders.
bool CommitJournal(const std::string& folder, std::string* failure);

// Before the commit point: removes the run's temporaries, the folders it
// created (if empty) and the journal.
bool UndoRun(const std::string& folder, const Journal& journal, std::string* failure);

// After the commit point: renames each remaining temporary onto its target,
// syncs their folders, then removes the journal.
bool FinishRun(const std::string& folder, const Journal& journal, std::string* failure);

// The prefix of every temporary of `target` made by process `pid`.
std::string TemporaryPrefix(const std::string& target, long pid);

}  // namespace mkdict

#endif  // MKDICT_COMMIT_JOURNAL_H
