// Where something stands in a description, and the one kind of error a
// description can have.
#ifndef MKDICT_SOURCE_POS_H
#define MKDICT_SOURCE_POS_H

#include <string>

namespace mkdict {

// 1-based line and column (columns count bytes).
struct SourcePos {
  int line = 0;
  int column = 0;
};

// A reason the description cannot be built, printed as FILE:LINE:COLUMN: reason.
struct DescriptionError {
  SourcePos pos;
  std::string reason;
};

}  // namespace mkdict

#endif  // MKDICT_SOURCE_POS_H
