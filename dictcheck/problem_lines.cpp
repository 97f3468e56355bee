#include "problem_lines.h"

#include <cstdio>

namespace dictcheck {

void ProblemLines::Report(const std::string& where, const std::string& what) {
  std::printf("%s: %s\n", where.c_str(), what.c_str());
  ++count_;
}

}  // namespace dictcheck
