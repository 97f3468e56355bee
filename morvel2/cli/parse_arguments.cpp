#include <cctype>
#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/dictionary_files.h"
#include "morvel2/engine_access/report_options.h"

char gTableName[kNameWidth + 1];

namespace {

// Every option letter found anywhere in the argument takes effect.
void ApplyOptionLetters(char* argument) {
  for (char* letter = argument; *letter != '\0'; ++letter) {
    *letter = static_cast<char>(std::tolower(static_cast<unsigned char>(*letter)));
    switch (*letter) {
      case 'd': gReportOptions.trace = 1; break;
      case 'n': gReportOptions.namesOnly = 1; break;
      case 'b': gReportOptions.fileInformation = 1; break;
      case 'f': gReportOptions.fields = 1; break;
      case 'c': gReportOptions.constraints = 1; break;
      case 'i': gReportOptions.indexes = 1; break;
      case 'o': gReportOptions.showPosition = 0; break;
      case 'x': gReportOptions.includeSystemTables = 1; break;
      case 'w': break;
      case 'u':
        gReportOptions.indexes = 1;
        gReportOptions.uniqueValues = 1;
        break;
      case 'a':
        gReportOptions.fields = 1;
        gReportOptions.indexes = 1;
        gReportOptions.fileInformation = 1;
        gReportOptions.constraints = 1;
        gReportOptions.uniqueValues = 1;
        break;
      default: break;
    }
  }
}

}  // namespace

bool ParseArguments(int argc, char** argv, bool* allTables) {
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
        ApplyOptionLetters(argument);
    } else if (std::strcmp(argument, "*") == 0) {
      *allTables = true;
    } else {
      CopyText(gTableName, argument, kNameWidth);
    }
  }
  if (password != nullptr) {
    if (std::strlen(password) > kMasterPasswordLength) {
      std::fprintf(stderr, "The master password is longer than %d characters.\n", kMasterPasswordLength);
      return false;
    }
    CopyText(gMasterPassword, password, kMasterPasswordLength);
  }
  return true;
}
