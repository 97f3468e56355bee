// Running the real dictdump, mkdict and morvel2 on folders of a test.
#ifndef TESTS_DICTDUMP_DICTDUMP_RUN_H
#define TESTS_DICTDUMP_DICTDUMP_RUN_H

#include <string>
#include <vector>

#include "mkdict_run.h"
#include "run_process.h"

namespace dictdumptest {

// Runs dictdump with `arguments`.
testsupport::ProcessResult RunDictdump(const std::vector<std::string>& arguments);

using testsupport::BuildDictionary;

// morvel2 "*" /ax (with /P= when `password` is not empty) in `folder`, the
// titles' dates cut off.
std::string ReportAll(const std::string& folder, const std::string& password);

}  // namespace dictdumptest

#endif  // TESTS_DICTDUMP_DICTDUMP_RUN_H
