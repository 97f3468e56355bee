// --format json: one document, {"tables": [...]}, each table with its
// fields, indexes, constraints, data-file statistics and rows.
#include "dump_writer.h"
#include "morvel2/common/hex_text.h"
#include "morvel2/dictionary/column_types.h"
#include "sql_names.h"

namespace dictdump {

namespace {

const char* DataFileWords(DataFileState state) {
  switch (state) {
    case DataFileState::kMissing: return "missing";
    case DataFileState::kDictionaryFile: return "dictionary file";
    case DataFileState::kOpen: return "open";
    case DataFileState::kUnreadable: return "unreadable";
  }
  return "unreadable";
}

const char* OwnerWords(OwnerMode mode) {
  switch (mode) {
    case OwnerMode::kNone: return "none";
    case OwnerMode::kGuardsAll: return "guards all";
    case OwnerMode::kGuardsChanges: return "guards changes";
  }
  return "none";
}

class JsonWriter : public DumpWriter {
 public:
  explicit JsonWriter(const DumpContext& context) : c_(context), out_(*context.out) {}

  void Begin() override { out_.Put("{\"tables\": ["); }
  void End() override { out_.Put(tables_ == 0 ? "]}\n" : "\n]}\n"); }

  void BeginTable(const TableDump& table) override {
    const TableSchema& schema = *table.schema;
    out_.Put(tables_++ == 0 ? "\n {" : ",\n {");
    Text("name", schema.name, kFirst);
    rows_ = 0;
    if (c_.options->schema) PutSchema(table);
    if (c_.options->rows) {
      Member("rows", kNextLine);
      out_.Put('[');
    }
  }

  void Row(const TableDump& table, const std::byte* record) override {
    out_.Put(rows_++ == 0 ? "\n   [" : ",\n   [");
    for (size_t i = 0; i < table.shapes.size(); ++i) {
      if (i != 0) out_.Put(", ");
      PutValue(table.shapes[i], ColumnBytes(table, i, record), IsNullColumn(table, i, record));
    }
    out_.Put(']');
  }

  void EndTable(const TableDump& table) override {
    if (c_.options->rows) out_.Put(rows_ == 0 ? "]" : "\n  ]");
    out_.Put(table.complete ? ",\n  \"complete\": true}" : ",\n  \"complete\": false}");
  }

 private:
  // What comes before one member of an object: nothing before its first,
  // a comma between members on one line, a comma and a new line before each
  // of a table's lists.
  static constexpr std::string_view kFirst = "";
  static constexpr std::string_view kNext = ", ";
  static constexpr std::string_view kNextLine = ",\n  ";

  void PutSchema(const TableDump& table) {
    const TableSchema& schema = *table.schema;
    const DataFile& data = *table.data;
    Number("id", schema.file.tableId);
    Text("location", schema.location);
    Number("flags", schema.file.flags);
    Text("dataFile", std::string_view(DataFileWords(data.state)));
    Text("owner", std::string_view(OwnerWords(data.owner.mode)));
    PutFields(schema);
    PutIndexes(schema);
    PutConstraints(schema);
    PutStatistics(data);
  }

  void String(std::string_view text) {
    out_.Put('"');
    for (char ch : text) {
      const auto byte = static_cast<unsigned char>(ch);
      if (ch == '"' || ch == '\\') {
        out_.Put('\\');
        out_.Put(ch);
      } else if (byte < 0x20) {
        char digits[2];
        WriteHex(std::as_bytes(std::span(&ch, 1)), digits, HexCase::kLower);
        out_.Put("\\u00");
        out_.Put(std::string_view(digits, sizeof digits));
      } else {
        out_.Put(ch);
      }
    }
    out_.Put('"');
  }
  void String(const std::string& text) { String(std::string_view(ValidUtf8(text))); }

  // One member of an object: what comes before it and its key; its value
  // follows. The typed forms write the value too.
  void Member(const char* key, std::string_view before = kNext) {
    out_.Put(before);
    String(std::string_view(key));
    out_.Put(": ");
  }
  void Number(const char* key, int64_t value, std::string_view before = kNext) {
    Member(key, before);
    out_.PutSigned(value);
  }
  void Boolean(const char* key, bool value, std::string_view before = kNext) {
    Member(key, before);
    out_.Put(value ? "true" : "false");
  }
  // A stored text, written as valid UTF-8.
  void Text(const char* key, const std::string& text, std::string_view before = kNext) {
    Member(key, before);
    String(text);
  }
  // One of the writer's own words.
  void Text(const char* key, std::string_view text, std::string_view before = kNext) {
    Member(key, before);
    String(text);
  }

  void PutFields(const TableSchema& schema) {
    Member("fields", kNextLine);
    out_.Put('[');
    for (size_t i = 0; i < schema.columns.size(); ++i) {
      const FieldRecord& f = schema.columns[i];
      out_.Put(i == 0 ? "\n   {" : ",\n   {");
      Text("name", TrimmedFixedText(f.name, kNameWidth), kFirst);
      Number("id", f.fieldId);
      Text("type", ColumnTypeText(f.typeCode));
      Number("typeCode", f.typeCode);
      Number("size", f.size);
      Number("decimals", f.decimals);
      Number("offset", f.offset);
      Number("flags", f.flags);
      Boolean("nullable", f.flags & kFieldNullable);
      out_.Put('}');
    }
    out_.Put(schema.columns.empty() ? "]" : "\n  ]");
  }

  void PutIndexes(const TableSchema& schema) {
    Member("indexes", kNextLine);
    out_.Put('[');
    for (size_t i = 0; i < schema.indexes.size(); ++i) {
      const IndexSchema& index = schema.indexes[i];
      out_.Put(i == 0 ? "\n   {" : ",\n   {");
      Number("number", index.number, kFirst);
      if (index.name.empty()) {
        Member("name");
        out_.Put("null");
      } else {
        Text("name", index.name);
      }
      Boolean("unique", !index.segments.empty() && !(index.segments.front().flags & kSegmentDuplicates));
      Member("segments");
      out_.Put('[');
      for (size_t s = 0; s < index.segments.size(); ++s) {
        const IndexRecord& segment = index.segments[s];
        out_.Put(s == 0 ? "{" : ", {");
        const FieldRecord* field = FindColumn(schema, segment.fieldId);
        if (field == nullptr) {
          Member("field", kFirst);
          out_.Put("null");
        } else {
          Text("field", TrimmedFixedText(field->name, kNameWidth), kFirst);
        }
        Number("fieldId", segment.fieldId);
        Number("flags", segment.flags);
        Boolean("descending", segment.flags & kSegmentDescending);
        Boolean("caseInsensitive", segment.flags & kSegmentCaseInsensitive);
        out_.Put('}');
      }
      out_.Put("]}");
    }
    out_.Put(schema.indexes.empty() ? "]" : "\n  ]");
  }

  void PutConstraints(const TableSchema& schema) {
    Member("constraints", kNextLine);
    out_.Put('[');
    for (size_t i = 0; i < schema.constraints.size(); ++i) {
      const FieldRecord& constraint = schema.constraints[i];
      out_.Put(i == 0 ? "{" : ", {");
      Text("name", TrimmedFixedText(constraint.name, kNameWidth), kFirst);
      Number("id", constraint.fieldId);
      Number("offset", constraint.offset);
      out_.Put('}');
    }
    out_.Put(']');
  }

  void PutStatistics(const DataFile& data) {
    Member("statistics", kNextLine);
    if (data.state != DataFileState::kOpen) {
      out_.Put("null");
      return;
    }
    const StatisticsRecord& stat = *data.statistics;
    out_.Put('{');
    Number("recordLength", StatRecordLength(stat), kFirst);
    Number("pageSize", StatPageSize(stat));
    Number("version", StatFileVersion(stat));
    Number("fileFlags", StatFileFlags(stat));
    Number("records", StatRecordCount(stat));
    Number("unusedPages", StatUnusedPages(stat));
    Member("keys");
    out_.Put('[');
    for (size_t i = 0; i < data.keys.size(); ++i) {
      out_.Put(i == 0 ? "{" : ", {");
      Number("number", data.keys[i].number, kFirst);
      Number("uniqueValues", data.keys[i].uniqueValues);
      out_.Put('}');
    }
    out_.Put("]}");
  }

  void PutValue(const ColumnShape& shape, std::span<const std::byte> bytes, bool isNull) {
    if (isNull) {
      out_.Put("null");
      return;
    }
    const ValueText& value = FormatColumnValue(shape, bytes, &value_);
    if (value.kind == ValueKind::kString && !IsValidUtf8(value.text)) {
      out_.Put('"');
      out_.PutHex(bytes);
      out_.Put('"');
      return;
    }
    switch (value.kind) {
      case ValueKind::kNumber: out_.Put(value.text); break;
      case ValueKind::kBoolean: out_.Put(value.text == "TRUE" ? "true" : "false"); break;
      case ValueKind::kString:
      case ValueKind::kHex: String(std::string_view(value.text)); break;
    }
  }

  const DumpContext& c_;
  Output& out_;
  ValueText value_;  // the text form of the value being written, its storage kept
  size_t tables_ = 0;
  size_t rows_ = 0;
};

}  // namespace

std::unique_ptr<DumpWriter> MakeJsonWriter(const DumpContext& context) {
  return std::make_unique<JsonWriter>(context);
}

}  // namespace dictdump
