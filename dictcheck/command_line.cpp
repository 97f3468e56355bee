#include "command_line.h"

#include <getopt.h>

#include "morvel2/dictionary/dictionary_records.h"

namespace dictcheck {

const char* const kUsageText =
    "usage: dictcheck [-C FOLDER] [--password TEXT]\n"
    "Checks the dictionary PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF in the current folder, and\n"
    "every table's data file, for what the report tool can't show or shows wrongly. Prints\n"
    "one line per problem, TABLE: what is wrong.\n"
    "\n"
    "  -C FOLDER        run in FOLDER\n"
    "  --password TEXT  master password of the dictionary files (default: the default\n"
    "                   owner name), at most 51 characters\n"
    "  --help           print this text\n"
    "  --version        print the version\n"
    "\n"
    "Exit codes: 0 no problem found; 1 a problem was found or something failed;\n"
    "2 the command line is wrong.\n";

namespace {

enum LongOnly { kPassword = 256, kHelp, kVersion };

}  // namespace

bool ParseCommandLine(int argc, char** argv, CommandLine* command, std::string* problem) {
  static const option kOptions[] = {{"password", required_argument, nullptr, kPassword},
                                    {"help", no_argument, nullptr, kHelp},
                                    {"version", no_argument, nullptr, kVersion},
                                    {nullptr, 0, nullptr, 0}};
  // Our own messages, not getopt's; a leading ':' tells a missing value apart.
  opterr = 0;
  optind = 1;
  int code;
  while ((code = getopt_long(argc, argv, ":C:", kOptions, nullptr)) != -1) {
    switch (code) {
      case 'C':
        if (optarg[0] == '\0') {
          *problem = "-C needs a FOLDER";
          return false;
        }
        command->folder = optarg;
        break;
      case kPassword:
        command->password = optarg;
        if (command->password.size() > size_t{kMasterPasswordLength}) {
          *problem = "--password longer than " + std::to_string(kMasterPasswordLength) + " characters";
          return false;
        }
        break;
      case kHelp: command->help = true; break;
      case kVersion: command->version = true; break;
      case ':':
        *problem = optopt == 'C' ? "-C needs a FOLDER" : std::string(argv[optind - 1]) + " needs a TEXT";
        return false;
      default: *problem = "unknown option " + std::string(argv[optind - 1]); return false;
    }
  }
  if (optind < argc) {
    *problem = "unexpected argument " + std::string(argv[optind]);
    return false;
  }
  return true;
}

}  // namespace dictcheck
