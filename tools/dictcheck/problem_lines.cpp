#include "problem_lines.h"

#include <cstdio>

#include "recmgr/recmgr.h"

namespace dictcheck {
namespace {

int gProblemCount = 0;

}  // namespace

void ReportProblem(const std::string& where, const std::string& what) {
  std::printf("%s: %s\n", where.c_str(), what.c_str());
  ++gProblemCount;
}

int ProblemCount() { return gProblemCount; }

std::string StatusInWords(int status) {
  switch (status) {
    case RECMGR_STATUS_IO_ERROR: return "read error or damaged file";
    case RECMGR_STATUS_INVALID_FILE_NAME: return "invalid file name";
    case RECMGR_STATUS_FILE_NOT_FOUND: return "not found";
    case RECMGR_STATUS_NOT_LOADED: return "the record manager " RECMGR_LIBRARY_NAME " can't be loaded";
    case RECMGR_STATUS_NOT_A_RECMGR_FILE: return "not a file of this record manager";
    case RECMGR_STATUS_ACCESS_DENIED: return "access denied";
    case RECMGR_STATUS_INVALID_OWNER_NAME: return "owner name refused";
    default: return "record manager status " + std::to_string(status);
  }
}

}  // namespace dictcheck
