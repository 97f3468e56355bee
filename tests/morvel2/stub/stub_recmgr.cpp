// A stand-in record manager for tests: answers every operation with a status
// chosen through the environment, to show how the report handles statuses
// that real files can't produce.
//
// STUB_RECMGR_STATUSES="5=2,12=-1" answers Get Equal with 2 and Get First
// with -1. Without a rule, Open and Close succeed and every other
// operation reports end of file.
#include <cstdlib>
#include <cstring>
#include <string>

#include "recmgr/recmgr.h"

namespace {

bool FindRule(uint16_t operation, int16_t* status) {
  const char* rules = std::getenv("STUB_RECMGR_STATUSES");
  if (rules == nullptr) return false;
  const std::string text = rules;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const std::string rule = text.substr(start, end - start);
    const size_t equals = rule.find('=');
    if (equals != std::string::npos && std::atoi(rule.substr(0, equals).c_str()) == operation) {
      *status = static_cast<int16_t>(std::atoi(rule.substr(equals + 1).c_str()));
      return true;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace

extern "C" RECMGR_EXPORT int16_t RecmgrCall(uint16_t operation, void*, void*, uint32_t*, void*, uint8_t,
                                            int8_t) {
  int16_t status = 0;
  if (FindRule(operation, &status)) return status;
  if (operation == RECMGR_OP_OPEN || operation == RECMGR_OP_CLOSE) return RECMGR_STATUS_SUCCESS;
  return RECMGR_STATUS_END_OF_FILE;
}
