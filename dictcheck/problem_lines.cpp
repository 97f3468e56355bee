#include "problem_lines.h"

#include <cstdio>

namespace dictcheck {
namespace {

int gProblemCount = 0;

}  // namespace

void ReportProblem(const std::string& where, const std::string& what) {
  std::printf("%s: %s\n", where.c_str(), what.c_str());
  ++gProblemCount;
}

int ProblemCount() { return gProblemCount; }

}  // namespace dictcheck
