// Checks the statements of a description in order and builds the database
// they describe: resolves table and column names, applies defaults, assigns
// ids, offsets and index numbers, and encodes the rows.
#ifndef MKDICT_MODEL_BUILDER_H
#define MKDICT_MODEL_BUILDER_H

#include <cstddef>
#include <memory>
#include <vector>

#include "model.h"
#include "statements.h"
#include "value_encoding.h"

namespace mkdict {

// Where the rows of an INSERT go: the table and, for each value of a row,
// the column it fills.
struct InsertTarget {
  size_t table = 0;  // into Database::tables
  std::vector<size_t> columns;
  SourcePos statementPos;             // of the INSERT
  int rowNumber = 0;                  // of the row last encoded, 1-based
  RowNumbering* numbering = nullptr;  // the table's AUTOINC state
};

class ModelBuilder {
 public:
  explicit ModelBuilder(Database* database);
  ~ModelBuilder();

  // Checks a statement other than INSERT and adds what it describes.
  // Returns false with *error when it cannot be built.
  bool Add(const Statement& statement, DescriptionError* error);

  // Resolves the table and the column list of an INSERT (its rows are not
  // looked at). Returns false with *error when they cannot be resolved.
  bool StartInsert(const InsertDef& insert, InsertTarget* target, DescriptionError* error);

 private:
  struct Builder;
  std::unique_ptr<Builder> builder_;
};

}  // namespace mkdict

#endif  // MKDICT_MODEL_BUILDER_H
