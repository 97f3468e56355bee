// --format sql: CREATE TABLE, INSERT and CREATE INDEX for SQLite or
// PostgreSQL, each table in a transaction of its own: a table whose rows
// were not all read ends in a statement that fails and a ROLLBACK, so that
// nothing of it is kept, whether the client stops at the error or goes on;
// and no transaction holds the locks of more than one table, which a
// server's default lock table could not hold for thousands.
#include <algorithm>
#include <unordered_map>

#include "dump_writer.h"
#include "plain_values.h"
#include "sql_names.h"
#include "sql_types.h"

namespace dictdump {

namespace {

constexpr size_t kRowsPerInsert = 500;
constexpr size_t kPostgresNameBytes = 63;

struct SqlColumn {
  std::string name;
  SqlType type;
  PlainForm plain = PlainForm::kNone;
  size_t offset = 0;  // of its bytes in the record,
  size_t length = 0;  // cut at the record's end
};

class SqlWriter : public DumpWriter {
 public:
  explicit SqlWriter(const DumpContext& context)
      : c_(context),
        out_(*context.out),
        postgres_(context.options->dialect == Dialect::kPostgres),
        schemaNames_(postgres_ ? kPostgresNameBytes : 0) {
    // Tables are named before any index, so an index never takes a
    // table's name.
    for (const TableSchema* table : c_.tables) tableNames_[table] = schemaNames_.Take(table->name);
  }

  void Begin() override {
    if (postgres_) out_.Put("SET client_encoding = 'UTF8';\nSET standard_conforming_strings = on;\n");
  }

  // PostgreSQL stores no bytes in a typed column: a column with a value that
  // has only bytes becomes bytea, which takes a look at the rows first.
  bool NeedsRowScan() const override { return postgres_ && c_.options->rows; }
  void ScanRow(const TableDump& table, const std::byte* record) override {
    if (prepared_ != table.schema) PrepareColumns(table);
    for (size_t i = 0; i < columns_.size(); ++i) {
      if (columns_[i].type.kind == ValueKind::kHex || IsNullColumn(table, i, record)) continue;
      const ValueText& value = FormatColumnValue(table.shapes[i], ColumnBytes(table, i, record), &value_);
      if (value.kind == ValueKind::kHex || (value.kind == ValueKind::kString && !IsValidUtf8(value.text)))
        columns_[i].type = SqlType{"bytea", ValueKind::kHex};
      else if (value.kind == ValueKind::kNumber && columns_[i].type.kind == ValueKind::kBoolean)
        columns_[i].type = LogicalNumbers(table.shapes[i]);  // a LOGICAL value other than 0 and 1
    }
  }

  void BeginTable(const TableDump& table) override {
    if (prepared_ != table.schema) PrepareColumns(table);
    prepared_ = nullptr;
    rows_ = 0;
    droppedValues_ = 0;
    skipped_ = columns_.empty() && !postgres_;
    out_.Put("\nBEGIN;\n");
    if (!c_.options->schema) return;
    if (skipped_) {
      out_.Put("-- ");
      PutName(name_);
      out_.Put(" has no columns, and an SQLite table needs one: left out\n");
      return;
    }
    out_.Put("CREATE TABLE ");
    PutName(name_);
    out_.Put(" (");
    for (size_t i = 0; i < columns_.size(); ++i) {
      out_.Put(i == 0 ? "\n  " : ",\n  ");
      PutName(columns_[i].name);
      out_.Put(' ');
      out_.Put(columns_[i].type.name);
      if (!(table.shapes[i].flags & kFieldNullable)) out_.Put(" NOT NULL");
    }
    out_.Put(columns_.empty() ? ");\n" : "\n);\n");
  }

  void Row(const TableDump& table, const std::byte* record) override {
    if (skipped_ || columns_.empty()) return;
    if (rows_ % kRowsPerInsert == 0) {
      if (rows_ != 0) out_.Put(";\n");
      out_.Put("INSERT INTO ");
      PutName(name_);
      out_.Put(" VALUES\n(");
    } else {
      out_.Put(",\n(");
    }
    for (size_t i = 0; i < columns_.size(); ++i) {
      if (i != 0) out_.Put(',');
      const SqlColumn& column = columns_[i];
      PutValue(table.shapes[i], column, {record + column.offset, column.length},
               IsNullColumn(table, i, record));
    }
    out_.Put(')');
    ++rows_;
  }

  void EndTable(const TableDump& table) override {
    if (rows_ != 0) out_.Put(";\n");
    if (droppedValues_ != 0)
      Warn("table " + table.schema->name + ": " + std::to_string(droppedValues_) +
           " values without a PostgreSQL form written as NULL");
    if (!table.complete) return PutFailure(table.failure);
    if (c_.options->schema && !skipped_)
      for (const IndexSchema& index : table.schema->indexes) PutIndex(table, index);
    out_.Put("COMMIT;\n");
  }

 private:
  void PrepareColumns(const TableDump& table) {
    prepared_ = table.schema;
    name_ = tableNames_[table.schema];
    columns_.clear();
    SqlNames columnNames(postgres_ ? kPostgresNameBytes : 0);
    for (size_t i = 0; i < table.shapes.size(); ++i) {
      const SqlType type = ChooseSqlType(table.shapes[i], c_.options->dialect);
      // Plain forms where the SQL type takes the text form as it is; of the
      // numbers that SQLite is given as text, decimals, between quotes.
      const bool quoted = type.kind == ValueKind::kString;
      PlainForm form =
          type.kind == ValueKind::kNumber || quoted ? PlainFormOf(table.shapes[i], quoted) : PlainForm::kNone;
      if (type.quotedNumbers && form != PlainForm::kPacked) form = PlainForm::kNone;
      const auto [offset, length] = ColumnBounds(table, i);
      columns_.push_back({columnNames.Take(TrimmedFixedText(table.schema->columns[i].name, kNameWidth)), type,
                          form, offset, length});
    }
  }

  void PutName(const std::string& name) { out_.PutQuoted(name, '"'); }

  // A statement that fails, naming `failure` in its error, then the end of
  // the table's transaction without keeping any of it.
  void PutFailure(const std::string& failure) {
    if (postgres_) {
      out_.Put("DO $dictdump$ BEGIN RAISE EXCEPTION '%', ");
      out_.PutQuoted("dictdump: " + failure, '\'');
      out_.Put("; END $dictdump$;\n");
    } else {  // SQLite raises nothing outside a trigger: a table it can't find does
      out_.Put("SELECT 1 FROM ");
      PutName("dictdump: " + failure);
      out_.Put(";\n");
    }
    out_.Put("ROLLBACK;\n");
  }

  void PutValue(const ColumnShape& shape, const SqlColumn& column, std::span<const std::byte> bytes,
                bool isNull) {
    if (isNull) {
      out_.Put("NULL");
      return;
    }
    if (column.type.kind == ValueKind::kHex) return PutBytes(bytes);  // a column of bytes holds them all so
    if (column.type.quotedNumbers) {
      if (column.plain == PlainForm::kPacked && bytes.size() == shape.size &&
          PutPlainPacked(bytes, shape.decimals, &out_, '\''))
        return;
    } else if (PutPlainValue(column.plain, shape, bytes, '\'', &out_)) {
      return;
    }
    const ValueText& value = FormatColumnValue(shape, bytes, &value_);
    switch (value.kind) {
      case ValueKind::kString:
        if (postgres_ && !IsValidUtf8(value.text)) return PutDropped();
        out_.PutQuoted(value.text, '\'');
        break;
      case ValueKind::kNumber:
        if (column.type.quotedNumbers)
          out_.PutQuoted(value.text, '\'');
        else
          out_.Put(value.text);
        break;
      case ValueKind::kBoolean:
        if (column.type.kind == ValueKind::kNumber)  // a LOGICAL column of numbers
          out_.Put(value.text == "TRUE" ? "1" : "0");
        else
          out_.Put(value.text);
        break;
      case ValueKind::kHex:
        if (postgres_)
          PutDropped();  // no bytes fit a typed column
        else
          PutBytes(bytes);
        break;
    }
  }
  void PutBytes(std::span<const std::byte> bytes) {
    out_.Put(postgres_ ? "'\\x" : "X'");
    out_.PutHex(bytes);
    out_.Put(postgres_ ? "'::bytea" : "'");
  }
  void PutDropped() {
    ++droppedValues_;
    out_.Put("NULL");
  }

  void PutIndex(const TableDump& table, const IndexSchema& index) {
    const TableSchema& schema = *table.schema;
    std::vector<size_t> columns;
    for (const IndexRecord& segment : index.segments) {
      const auto found = std::find_if(schema.columns.begin(), schema.columns.end(),
                                      [&](const FieldRecord& f) { return f.fieldId == segment.fieldId; });
      if (found == schema.columns.end()) return;  // the mkdict format warns about it
      columns.push_back(static_cast<size_t>(found - schema.columns.begin()));
    }
    if (columns.empty()) return;
    // Unique only where the record manager kept it so: a key of the data
    // file, or a table without rows.
    const DataFile& data = *table.data;
    const bool isKey = std::binary_search(data.keyNumbers.begin(), data.keyNumbers.end(), index.number);
    const bool unique =
        !(index.segments.front().flags & kSegmentDuplicates) && (isKey || RecordCount(data) == 0);
    const std::string indexName = schemaNames_.Take(
        schema.name + "_" + (index.name.empty() ? "index_" + std::to_string(index.number) : index.name));
    out_.Put(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ");
    PutName(indexName);
    out_.Put(" ON ");
    PutName(name_);
    out_.Put(" (");
    for (size_t i = 0; i < columns.size(); ++i) {
      const uint32_t flags = index.segments[i].flags;
      const bool caseInsensitive = columns_[columns[i]].type.foldsCase && (flags & kSegmentCaseInsensitive);
      if (i != 0) out_.Put(", ");
      if (caseInsensitive && postgres_) out_.Put("lower(");
      PutName(columns_[columns[i]].name);
      if (caseInsensitive) out_.Put(postgres_ ? ")" : " COLLATE NOCASE");
      if (flags & kSegmentDescending) out_.Put(" DESC");
    }
    out_.Put(");\n");
  }

  const DumpContext& c_;
  Output& out_;
  ValueText value_;  // the text form of the value being written, its storage kept
  bool postgres_;
  SqlNames schemaNames_;
  std::unordered_map<const TableSchema*, std::string> tableNames_;
  std::string name_;
  std::vector<SqlColumn> columns_;
  const TableSchema* prepared_ = nullptr;  // the table columns_ is for
  bool skipped_ = false;
  size_t rows_ = 0;
  size_t droppedValues_ = 0;
};

}  // namespace

std::unique_ptr<DumpWriter> MakeSqlWriter(const DumpContext& context) {
  return std::make_unique<SqlWriter>(context);
}

}  // namespace dictdump
