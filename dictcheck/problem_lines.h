// The output: one line per problem, "TABLE: what is wrong", on standard
// output; and record-manager statuses in words for it and for failures.
#ifndef DICTCHECK_PROBLEM_LINES_H
#define DICTCHECK_PROBLEM_LINES_H

#include <string>

namespace dictcheck {

// Prints "<where>: <what>" and counts it.
void ReportProblem(const std::string& where, const std::string& what);

// How many problems were reported so far.
int ProblemCount();

}  // namespace dictcheck

#endif  // DICTCHECK_PROBLEM_LINES_H
