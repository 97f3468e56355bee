// --format mkdict: a description that mkdict builds into the same
// dictionary and data files.
#include <string>

#include "dump_writer.h"
#include "morvel2/dictionary/column_types.h"

namespace dictdump {

namespace {

constexpr size_t kRowsPerInsert = 1000;

class MkdictWriter : public DumpWriter {
 public:
  explicit MkdictWriter(const DumpContext& context) : c_(context), out_(*context.out) {}

  void Begin() override {
    if (!c_.options->schema || !c_.master.set) return;
    out_.Put("SET MASTER PASSWORD ");
    PutOwner(c_.master.text);
    if (c_.master.guardsChangesOnly) out_.Put(" GUARDS CHANGES");
    out_.Put(";\n\n");
  }

  void BeginTable(const TableDump& table) override {
    rows_ = 0;
    if (!c_.options->schema) return;
    PutTable(table);
    for (const IndexSchema& index : table.schema->indexes) PutIndex(table, index);
    for (const FieldRecord& constraint : table.schema->constraints) {
      out_.Put("CREATE CONSTRAINT ");
      PutName(TrimmedFixedText(constraint.name, kNameWidth));
      out_.Put(" ON ");
      PutName(table.schema->name);
      out_.Put(" ID ");
      out_.PutSigned(constraint.fieldId);
      out_.Put(" AT ");
      out_.PutSigned(constraint.offset);
      out_.Put(";\n");
    }
  }

  void Row(const TableDump& table, const std::byte* record) override {
    if (table.shapes.empty()) return;  // no column takes a value
    if (rows_ % kRowsPerInsert == 0) {
      if (rows_ != 0) out_.Put(";\n");
      out_.Put("INSERT INTO ");
      PutName(table.schema->name);
      out_.Put(" VALUES\n  (");
    } else {
      out_.Put(",\n  (");
    }
    for (size_t i = 0; i < table.shapes.size(); ++i) {
      if (i != 0) out_.Put(", ");
      PutValue(table.shapes[i], ColumnBytes(table, i, record), IsNullColumn(table, i, record));
    }
    out_.Put(')');
    ++rows_;
  }

  void EndTable(const TableDump&) override {
    if (rows_ != 0) out_.Put(";\n");
    if (c_.options->schema || rows_ != 0) out_.Put('\n');
  }

 private:
  void PutName(const std::string& name) { out_.PutQuoted(name, '"'); }
  void PutOwner(const std::optional<std::string>& name) {
    if (name)
      out_.PutQuoted(*name, '\'');
    else
      out_.Put("UNKNOWN");
  }
  void PutFlags(uint32_t rest) {
    if (rest == 0) return;
    out_.Put(" FLAGS ");
    out_.PutUnsigned(rest);
  }

  void PutTable(const TableDump& table) {
    const TableSchema& schema = *table.schema;
    const DataFile& data = *table.data;
    out_.Put("CREATE TABLE ");
    PutName(schema.name);
    out_.Put(" ID ");
    out_.PutSigned(schema.file.tableId);
    out_.Put(" IN ");
    out_.PutQuoted(schema.location, '\'');
    if (data.state != DataFileState::kOpen && data.state != DataFileState::kUnreadable) out_.Put(" NO FILE");
    const uint32_t flags = schema.file.flags;
    if (flags & kTableNullable) out_.Put(" NULLABLE");
    if (flags & kTableDictionary) out_.Put(" DICTIONARY");
    PutFlags(flags & ~(kTableNullable | kTableDictionary));
    if (data.state == DataFileState::kOpen) {
      const StatisticsRecord& stat = *data.statistics;
      out_.Put(" PAGESIZE ");
      out_.PutUnsigned(StatPageSize(stat));
      out_.Put(" VERSION ");
      out_.PutUnsigned(StatFileVersion(stat));
      const uint16_t fileFlags = StatFileFlags(stat);
      if (fileFlags & RECMGR_FILE_VARIABLE_LENGTH) out_.Put(" VARIABLE");
      if (fileFlags & RECMGR_FILE_RECORD_COMPRESSION) out_.Put(" RECORD COMPRESSION");
      if (fileFlags & RECMGR_FILE_PAGE_COMPRESSION) out_.Put(" PAGE COMPRESSION");
    }
    if (data.owner.mode != OwnerMode::kNone) {
      out_.Put(" OWNER ");
      PutOwner(data.owner.name);
      if (data.owner.mode == OwnerMode::kGuardsChanges) out_.Put(" GUARDS CHANGES");
    }
    out_.Put(" (");
    for (size_t i = 0; i < schema.columns.size(); ++i) {
      out_.Put(i == 0 ? "\n  " : ",\n  ");
      PutColumn(schema.columns[i]);
    }
    out_.Put(schema.columns.empty() ? ");\n" : "\n);\n");
  }

  void PutColumn(const FieldRecord& field) {
    PutName(TrimmedFixedText(field.name, kNameWidth));
    out_.Put(' ');
    // A keyword refuses the sizes its type does not allow; TYPE n takes any.
    const ColumnType type = DescribeColumnType(field.typeCode);
    if (type.keyword != nullptr && AllowsSize(type, field.size)) {
      out_.Put(type.keyword);
    } else {
      out_.Put("TYPE ");
      out_.PutUnsigned(field.typeCode);
    }
    out_.Put('(');
    out_.PutSigned(field.size);
    if (field.decimals != 0) {
      out_.Put(", ");
      out_.PutUnsigned(field.decimals);
    }
    out_.Put(") AT ");
    out_.PutSigned(field.offset);
    out_.Put(" ID ");
    out_.PutSigned(field.fieldId);
    if (field.flags & kFieldNullable) out_.Put(" NULL");
    if (field.flags & kFieldCaseInsensitive) out_.Put(" CASE INSENSITIVE");
    if (field.flags & kFieldBlobBinary) out_.Put(" BINARY");
    PutFlags(field.flags & ~(kFieldNullable | kFieldCaseInsensitive | kFieldBlobBinary));
  }

  void PutIndex(const TableDump& table, const IndexSchema& index) {
    const std::string where = "index " + std::to_string(index.number) + " of table " + table.schema->name;
    if (index.segments.empty()) {
      Warn(where + " has a name but no segments: left out");
      return;
    }
    // Duplicates and modifiable are index-wide words; a segment that
    // differs keeps its own bit in FLAGS.
    bool allDuplicates = true;
    bool allModifiable = true;
    for (const IndexRecord& segment : index.segments) {
      allDuplicates = allDuplicates && (segment.flags & kSegmentDuplicates);
      allModifiable = allModifiable && (segment.flags & kSegmentModifiable);
    }
    std::vector<const FieldRecord*> fields;
    for (const IndexRecord& segment : index.segments) {
      const FieldRecord* found = FindColumn(*table.schema, segment.fieldId);
      if (found == nullptr) {
        Warn(where + " names field id " + std::to_string(segment.fieldId) +
             ", which is no column of the table: left out");
        return;
      }
      fields.push_back(found);
    }
    out_.Put(allDuplicates ? "CREATE INDEX " : "CREATE UNIQUE INDEX ");
    if (!index.name.empty()) {
      PutName(index.name);
      out_.Put(' ');
    }
    out_.Put("ON ");
    PutName(table.schema->name);
    out_.Put(" (");
    for (size_t i = 0; i < index.segments.size(); ++i) {
      const uint32_t flags = index.segments[i].flags;
      if (i != 0) out_.Put(", ");
      PutName(TrimmedFixedText(fields[i]->name, kNameWidth));
      if (flags & kSegmentDescending) out_.Put(" DESC");
      if (flags & kSegmentCaseInsensitive) out_.Put(" CASE INSENSITIVE");
      if (flags & kSegmentAlternateCollation) out_.Put(" ACS");
      if (flags & kSegmentNullKey) out_.Put(" NULL KEY");
      uint32_t rest = flags & ~(kSegmentDescending | kSegmentCaseInsensitive | kSegmentAlternateCollation |
                                kSegmentNullKey);
      if (allDuplicates) rest &= ~kSegmentDuplicates;
      if (allModifiable) rest &= ~kSegmentModifiable;
      PutFlags(rest);
    }
    out_.Put(") NUMBER ");
    out_.PutSigned(index.number);
    if (allModifiable) out_.Put(" MODIFIABLE");
    if (!index.name.empty()) {
      out_.Put(" ID ");
      out_.PutSigned(index.nameFieldId);
    }
    out_.Put(";\n");
  }

  void PutValue(const ColumnShape& shape, std::span<const std::byte> bytes, bool isNull) {
    if (isNull) {
      out_.Put("NULL");  // writes nothing: the bytes stay zero
      return;
    }
    const ValueText& value = FormatColumnValue(shape, bytes, &value_);
    switch (value.kind) {
      case ValueKind::kString: out_.PutQuoted(value.text, '\''); break;
      case ValueKind::kNumber:
      case ValueKind::kBoolean: out_.Put(value.text); break;
      case ValueKind::kHex:
        out_.Put("X'");
        out_.Put(value.text);
        out_.Put('\'');
        break;
    }
  }

  const DumpContext& c_;
  Output& out_;
  ValueText value_;  // the text form of the value being written, its storage kept
  size_t rows_ = 0;
};

}  // namespace

std::unique_ptr<DumpWriter> MakeMkdictWriter(const DumpContext& context) {
  return std::make_unique<MkdictWriter>(context);
}

}  // namespace dictdump
