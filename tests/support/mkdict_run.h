// Runs the real mkdict on a description written into a test's folder.
#ifndef TESTS_SUPPORT_MKDICT_RUN_H
#define TESTS_SUPPORT_MKDICT_RUN_H

#include <map>
#include <string>
#include <vector>

#include "run_process.h"
#include "temp_dir.h"

namespace mkdicttest {

// Writes `ddl` to DIR/in.ddl and runs mkdict with `arguments` in DIR; by
// default "in.ddl -o out", so the dictionary lands in DIR/out;
// `environment` is added to mkdict's.
testsupport::ProcessResult RunMkdict(const testsupport::TempDir& dir, const std::string& ddl,
                                     const std::vector<std::string>& arguments = {"in.ddl", "-o", "out"},
                                     const std::map<std::string, std::string>& environment = {});

}  // namespace mkdicttest

#endif  // TESTS_SUPPORT_MKDICT_RUN_H
