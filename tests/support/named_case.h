// Table-driven cases: a case type that derives from NamedCase stands for
// itself by its name, both as the name of its test and in failure messages
// (instead of a dump of its bytes).
#ifndef TESTS_SUPPORT_NAMED_CASE_H
#define TESTS_SUPPORT_NAMED_CASE_H

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

namespace testsupport {

// The first member of a case: a name fit for a test name.
struct NamedCase {
  const char* name;
};

// Found by argument-dependent lookup through the base class, and chosen over
// gtest's own printer because it is the more constrained template.
template <std::derived_from<NamedCase> Case>
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// The test-name generator of INSTANTIATE_TEST_SUITE_P.
struct CaseName {
  template <std::derived_from<NamedCase> Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return info.param.name;
  }
};

}  // namespace testsupport

#endif  // TESTS_SUPPORT_NAMED_CASE_H
