// The command line: dictcheck [-C FOLDER] [--password TEXT], --help, --version.
#ifndef DICTCHECK_COMMAND_LINE_H
#define DICTCHECK_COMMAND_LINE_H

#include <string>

namespace dictcheck {

struct CommandLine {
  bool help = false;
  bool version = false;
  std::string folder;    // empty: the current folder
  std::string password;  // empty: the default owner name
};

extern const char* const kUsageText;

// Reads argv with getopt_long. Returns false with *problem, one line, when
// the arguments are not a valid command.
bool ParseCommandLine(int argc, char** argv, CommandLine* command, std::string* problem);

}  // namespace dictcheck

#endif  // DICTCHECK_COMMAND_LINE_H
