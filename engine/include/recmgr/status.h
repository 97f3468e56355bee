// The writer's answer: a RECMGR_STATUS_* code and, when it is not success,
// a short reason in words ("permission denied", "key 0 holds a value
// twice"). Cheap when ok: no allocation. Copying never throws for the
// reasons the writer gives when memory runs out (they fit the string's own
// storage).
#ifndef RECMGR_STATUS_H
#define RECMGR_STATUS_H

#include <cstdint>
#include <string>
#include <utility>

#include "recmgr/recmgr.h"

namespace recmgr {

class Status {
 public:
  Status() = default;  // success
  Status(int16_t code, std::string message) : code_(code), message_(std::move(message)) {}

  static Status Ok() { return {}; }

  bool IsOk() const { return code_ == RECMGR_STATUS_SUCCESS; }
  int16_t Code() const { return code_; }
  // Empty on success.
  const std::string& Message() const { return message_; }

 private:
  int16_t code_ = RECMGR_STATUS_SUCCESS;
  std::string message_;
};

}  // namespace recmgr

#endif  // RECMGR_STATUS_H
