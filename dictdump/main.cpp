// dictdump: writes a dictionary's tables and rows as a description for
// mkdict, as SQL, JSON or CSV.
#include <cstdio>

#include "options.h"
#include "run_dump.h"

int main(int argc, char** argv) {
  dictdump::Options options;
  std::string problem;
  switch (dictdump::ParseOptions(argc, argv, &options, &problem)) {
    case dictdump::Action::kHelp: std::fputs(dictdump::kUsageText, stdout); return 0;
    case dictdump::Action::kVersion: std::printf("dictdump %s\n", MORVEL2_VERSION); return 0;
    case dictdump::Action::kWrongCommandLine:
      std::fprintf(stderr, "dictdump: %s (see dictdump --help)\n", problem.c_str());
      return 2;
    case dictdump::Action::kDump: break;
  }
  return dictdump::RunDump(options);
}
