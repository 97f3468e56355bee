// What every output format is handed: the dictionary, one table at a time
// with its data file, then its rows.
#ifndef DICTDUMP_DUMP_WRITER_H
#define DICTDUMP_DUMP_WRITER_H

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "data_file.h"
#include "morvel2/dictionary/schema_reader.h"
#include "morvel2/dictionary/value_text.h"
#include "options.h"
#include "output.h"

namespace dictdump {

// What the dump learnt about the dictionary files' owner name.
struct MasterPassword {
  bool set = false;                 // a name other than the default guards them
  std::optional<std::string> text;  // as given with --password
  bool guardsChangesOnly = false;
};

struct TableDump {
  const TableSchema* schema = nullptr;
  DataFile* data = nullptr;
  std::vector<ColumnShape> shapes;      // one per column
  std::vector<int64_t> nullIndicators;  // one per column: see NullIndicatorsOf
  // False, by EndTable, when the table's description or rows could not all
  // be read: the writer makes sure the table does not pass for whole.
  bool complete = true;
  std::string failure;  // then, what went wrong: "ORDERS: read 38 of 500 rows: ..."
};

// Everything a writer reads besides the table.
struct DumpContext {
  Output* out = nullptr;
  const Options* options = nullptr;
  const DictionarySchema* dictionary = nullptr;
  std::vector<const TableSchema*> tables;  // the ones dumped, in order
  MasterPassword master;
};

class DumpWriter {
 public:
  virtual ~DumpWriter() = default;
  virtual void Begin() {}
  // Whether the writer reads each table's rows once before BeginTable.
  virtual bool NeedsRowScan() const { return false; }
  virtual void ScanRow(const TableDump&, const std::byte*) {}
  // The table's schema part (the writer looks at options->schema itself).
  virtual void BeginTable(const TableDump& table) = 0;
  // One record of the table's data file; only when options->rows.
  virtual void Row(const TableDump& table, const std::byte* record) = 0;
  // After the rows, with table.complete known.
  virtual void EndTable(const TableDump& table) = 0;
  virtual void End() {}
  // After End: 0, or 1 when the writer could not do all it was asked
  // (having said why on standard error).
  virtual int Finish() { return 0; }
};

std::unique_ptr<DumpWriter> MakeMkdictWriter(const DumpContext& context);
std::unique_ptr<DumpWriter> MakeSqlWriter(const DumpContext& context);
std::unique_ptr<DumpWriter> MakeJsonWriter(const DumpContext& context);
std::unique_ptr<DumpWriter> MakeCsvWriter(const DumpContext& context);
std::unique_ptr<DumpWriter> MakeHtmlWriter(const DumpContext& context);
std::unique_ptr<DumpWriter> MakeMarkdownWriter(const DumpContext& context);

// A column's bytes within the record (cut at the record's end), and where
// they lie in every record: offset and length.
std::span<const std::byte> ColumnBytes(const TableDump& table, size_t column, const std::byte* record);
std::pair<size_t, size_t> ColumnBounds(const TableDump& table, size_t column);

// Per column of the table, the offset of its null indicator byte or
// kNoNullIndicator (morvel2/dictionary/null_indicator.h).
std::vector<int64_t> NullIndicatorsOf(const TableSchema& table);

// Whether the nullable column holds no value in this record.
bool NullableColumnIsNull(const TableDump& table, size_t column, const std::byte* record);

// Whether the column holds no value in this record: written NULL. The flag
// is tested inline: it is asked for every value of a dump, and most columns
// cannot be null.
inline bool IsNullColumn(const TableDump& table, size_t column, const std::byte* record) {
  return (table.shapes[column].flags & kFieldNullable) != 0 && NullableColumnIsNull(table, column, record);
}

// The column's text form, written into *value (whose storage each writer
// keeps from value to value) and returned; a column cut short by the
// record's end is hex.
const ValueText& FormatColumnValue(const ColumnShape& shape, std::span<const std::byte> bytes,
                                   ValueText* value);

// Prints a warning line "dictdump: warning: TEXT" on standard error.
void Warn(const std::string& text);

}  // namespace dictdump

#endif  // DICTDUMP_DUMP_WRITER_H
