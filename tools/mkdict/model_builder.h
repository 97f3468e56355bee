// Checks the statements of a description in order and builds the database
// they describe: resolves table and column names, applies defaults, assigns
// ids, offsets and index numbers, and encodes the rows.
#ifndef MKDICT_MODEL_BUILDER_H
#define MKDICT_MODEL_BUILDER_H

#include <vector>

#include "model.h"
#include "statements.h"

namespace mkdict {

// Fills *database from `statements`. Returns false with *error at the first
// statement that cannot be built.
bool BuildModel(const std::vector<Statement>& statements, Database* database, DescriptionError* error);

}  // namespace mkdict

#endif  // MKDICT_MODEL_BUILDER_H
