// The output: one line per problem, "TABLE: what is wrong" (or "FILE: what
// is wrong" where no table is known), on standard output.
#ifndef DICTCHECK_PROBLEM_LINES_H
#define DICTCHECK_PROBLEM_LINES_H

#include <string>

namespace dictcheck {

class ProblemLines {
 public:
  // Prints "<where>: <what>" and counts it.
  void Report(const std::string& where, const std::string& what);
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace dictcheck

#endif  // DICTCHECK_PROBLEM_LINES_H
