#include "command_line.h"

#include "model_builder.h"
#include "morvel2/dictionary/dictionary_records.h"

namespace mkdict {

const char* const kUsageText =
    "usage: mkdict DESCRIPTION [-o FOLDER] [--password TEXT] [--password-guards MODE]\n"
    "              [--replace]\n"
    "       mkdict --recover [-o FOLDER]\n"
    "Builds the dictionary files PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF in FOLDER and a\n"
    "data file for every table that has one, from the table descriptions in DESCRIPTION.\n"
    "\n"
    "  -o FOLDER        where to write (default: the current folder); relative data-file\n"
    "                   locations are taken from it, and missing folders are created\n"
    "  --password TEXT  master password of the dictionary files, at most 51 characters;\n"
    "                   replaces SET MASTER PASSWORD\n"
    "  --password-guards all|changes\n"
    "                   what the master password guards: every open (all, the default)\n"
    "                   or only changes, so that a reader without it may read; replaces\n"
    "                   the GUARDS of SET MASTER PASSWORD\n"
    "  --replace        replace the dictionary and data files FOLDER holds already;\n"
    "                   data files only the old dictionary names stay, with a warning\n"
    "  --recover        only finish or undo a run that died in FOLDER, leaving the old\n"
    "                   files or the new ones; every run does this first\n"
    "  --help           print this text\n"
    "\n"
    "mkdict never replaces a file the record manager did not write.\n"
    "Exit codes: 0 written; 1 the description is wrong, a file exists, or a file could\n"
    "not be written, and nothing was changed; 2 the command line is wrong.\n";

bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* command, std::string* problem) {
  bool haveDescription = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      command->help = true;
      return true;
    }
    if (argument == "--replace" || argument == "--recover") {
      (argument == "--replace" ? command->replace : command->recover) = true;
      continue;
    }
    if (argument == "-o" || argument == "--password" || argument == "--password-guards") {
      if (i + 1 >= arguments.size()) {
        *problem = argument + (argument == "-o"           ? " needs a FOLDER"
                               : argument == "--password" ? " needs a TEXT"
                                                          : " needs all or changes");
        return false;
      }
      const std::string& value = arguments[++i];
      if (argument == "--password-guards") {
        if (value != "all" && value != "changes") {
          *problem = "--password-guards needs all or changes, not " + value;
          return false;
        }
        command->passwordGuardsChanges = value == "changes";
      } else if (argument == "-o") {
        if (value.empty()) {
          *problem = "-o needs a FOLDER";
          return false;
        }
        command->folder = value;
      } else {
        if (value.size() > size_t{kMasterPasswordLength}) {
          *problem = "--password longer than " + std::to_string(kMasterPasswordLength) + " characters";
          return false;
        }
        command->password = value;
      }
    } else if (argument.size() > 1 && argument[0] == '-') {
      *problem = "unknown option " + argument;
      return false;
    } else if (haveDescription) {
      *problem = "more than one DESCRIPTION: " + command->description + " and " + argument;
      return false;
    } else {
      command->description = argument;
      haveDescription = true;
    }
  }
  if (command->recover) {
    if (haveDescription) *problem = "--recover takes no DESCRIPTION";
    return !haveDescription;
  }
  if (!haveDescription) {
    *problem = "missing DESCRIPTION";
    return false;
  }
  return true;
}

}  // namespace mkdict
