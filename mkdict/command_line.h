// The command line: mkdict DESCRIPTION [-o FOLDER] [--password TEXT]
// [--password-guards all|changes] [--replace], mkdict --recover [-o FOLDER],
// or --help.
#ifndef MKDICT_COMMAND_LINE_H
#define MKDICT_COMMAND_LINE_H

#include <optional>
#include <string>
#include <vector>

namespace mkdict {

struct CommandLine {
  bool help = false;
  bool replace = false;  // an existing dictionary and data files may be replaced
  bool recover = false;  // only finish or undo an interrupted run
  std::string description;
  std::string folder = ".";
  std::optional<std::string> password;
  std::optional<bool> passwordGuardsChanges;  // --password-guards changes
};

extern const char* const kUsageText;

// Reads the arguments after the program name. Returns false with *problem,
// one line, when they are not a valid command.
bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* command, std::string* problem);

}  // namespace mkdict

#endif  // MKDICT_COMMAND_LINE_H
