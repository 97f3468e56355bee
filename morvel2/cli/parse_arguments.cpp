#include <cctype>
#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "cli/report_error.h"
#include "morvel2/common/text_helpers.h"
#include "run_context.h"

namespace {

// Every option letter found anywhere in the argument takes effect.
void ApplyOptionLetters(ReportOptions* options, char* argument) {
  for (char* letter = argument; *letter != '\0'; ++letter) {
    *letter = static_cast<char>(std::tolower(static_cast<unsigned char>(*letter)));
    switch (*letter) {
      case 'd': options->trace = 1; break;
      case 'n': options->namesOnly = 1; break;
      case 'b': options->fileInformation = 1; break;
      case 'f': options->fields = 1; break;
      case 'c': options->constraints = 1; break;
      case 'i': options->indexes = 1; break;
      case 'o': options->showPosition = 0; break;
      case 'x': options->includeSystemTables = 1; break;
      case 'w': break;
      case 'u':
        options->indexes = 1;
        options->uniqueValues = 1;
        break;
      case 'a':
        options->fields = 1;
        options->indexes = 1;
        options->fileInformation = 1;
        options->constraints = 1;
        options->uniqueValues = 1;
        break;
      default: break;
    }
  }
}

}  // namespace

bool ParseArguments(RunContext* run, int argc, char** argv, bool* allTables) {
  *allTables = false;
  const char* password = nullptr;
  // From the last argument back to the first: the first table name and the
  // first password in command-line order win.
  for (int i = argc - 1; i >= 1; --i) {
    char* argument = argv[i];
    if (argument[0] == '/' || argument[0] == '-') {
      if (argument[1] == 'p' || argument[1] == 'P')
        // The third character (normally "=") is skipped whatever it is;
        // /P alone gives an empty password.
        password = std::strlen(argument) >= 3 ? argument + 3 : "";
      else
        ApplyOptionLetters(&run->options, argument);
    } else if (std::strcmp(argument, "*") == 0) {
      *allTables = true;
    } else {
      CopyText(run->tableName, argument, kNameWidth);
    }
  }
  if (password != nullptr) {
    if (std::strlen(password) > kMasterPasswordLength) {
      PrintFailure(run, "The master password is longer than %d characters.\n", kMasterPasswordLength);
      return false;
    }
    CopyText(run->masterPassword, password, kMasterPasswordLength);
  }
  return true;
}
