// --format json: one document, {"tables": [...]}, each table with its
// fields, indexes, constraints, data-file statistics and rows.
#include "dump_writer.h"
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
    Key("name");
    String(schema.name);
    rows_ = 0;
    if (c_.options->schema) PutSchema(table);
    if (c_.options->rows) {
      out_.Put(",\n  ");
      Key("rows");
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

  void EndTable(const TableDump&) override {
    if (c_.options->rows) out_.Put(rows_ == 0 ? "]" : "\n  ]");
    out_.Put('}');
  }

 private:
  void PutSchema(const TableDump& table) {
    const TableSchema& schema = *table.schema;
    out_.Put(", ");
    Number("id", schema.file.tableId);
    out_.Put(", ");
    Key("location");
    String(schema.location);
    out_.Put(", ");
    Number("flags", schema.file.flags);
    out_.Put(", ");
    Key("dataFile");
    String(std::string_view(DataFileWords(table.data->state)));
    out_.Put(", ");
    Key("owner");
    String(std::string_view(OwnerWords(table.data->owner.mode)));
    PutFields(schema);
    PutIndexes(schema);
    PutConstraints(schema);
    PutStatistics(*table.data);
  }

  void String(std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out_.Put('"');
    for (char ch : text) {
      const auto byte = static_cast<unsigned char>(ch);
      if (ch == '"' || ch == '\\') {
        out_.Put('\\');
        out_.Put(ch);
      } else if (byte < 0x20) {
        out_.Put("\\u00");
        out_.Put(kDigits[byte >> 4]);
        out_.Put(kDigits[byte & 0xF]);
      } else {
        out_.Put(ch);
      }
    }
    out_.Put('"');
  }
  void String(const std::string& text) { String(std::string_view(ValidUtf8(text))); }
  void Key(const char* key) {
    String(std::string_view(key));
    out_.Put(": ");
  }
  void Number(const char* key, int64_t value) {
    Key(key);
    out_.PutSigned(value);
  }
  void Boolean(const char* key, bool value) {
    Key(key);
    out_.Put(value ? "true" : "false");
  }

  void PutFields(const TableSchema& schema) {
    out_.Put(",\n  ");
    Key("fields");
    out_.Put('[');
    for (size_t i = 0; i < schema.columns.size(); ++i) {
      const FieldRecord& f = schema.columns[i];
      out_.Put(i == 0 ? "\n   {" : ",\n   {");
      Key("name");
      String(TrimmedFixedText(f.name, kNameWidth));
      out_.Put(", ");
      Number("id", f.fieldId);
      out_.Put(", ");
      Key("type");
      String(ColumnTypeText(f.typeCode));
      out_.Put(", ");
      Number("typeCode", f.typeCode);
      out_.Put(", ");
      Number("size", f.size);
      out_.Put(", ");
      Number("decimals", f.decimals);
      out_.Put(", ");
      Number("offset", f.offset);
      out_.Put(", ");
      Number("flags", f.flags);
      out_.Put(", ");
      Boolean("nullable", f.flags & kFieldNullable);
      out_.Put('}');
    }
    out_.Put(schema.columns.empty() ? "]" : "\n  ]");
  }

  void PutIndexes(const TableSchema& schema) {
    out_.Put(",\n  ");
    Key("indexes");
    out_.Put('[');
    for (size_t i = 0; i < schema.indexes.size(); ++i) {
      const IndexSchema& index = schema.indexes[i];
      out_.Put(i == 0 ? "\n   {" : ",\n   {");
      Number("number", index.number);
      out_.Put(", ");
      Key("name");
      if (index.name.empty())
        out_.Put("null");
      else
        String(index.name);
      out_.Put(", ");
      Boolean("unique", !index.segments.empty() && !(index.segments.front().flags & kSegmentDuplicates));
      out_.Put(", ");
      Key("segments");
      out_.Put('[');
      for (size_t s = 0; s < index.segments.size(); ++s) {
        const IndexRecord& segment = index.segments[s];
        out_.Put(s == 0 ? "{" : ", {");
        Key("field");
        const FieldRecord* field = FindColumn(schema, segment.fieldId);
        if (field == nullptr)
          out_.Put("null");
        else
          String(TrimmedFixedText(field->name, kNameWidth));
        out_.Put(", ");
        Number("fieldId", segment.fieldId);
        out_.Put(", ");
        Number("flags", segment.flags);
        out_.Put(", ");
        Boolean("descending", segment.flags & kSegmentDescending);
        out_.Put(", ");
        Boolean("caseInsensitive", segment.flags & kSegmentCaseInsensitive);
        out_.Put('}');
      }
      out_.Put("]}");
    }
    out_.Put(schema.indexes.empty() ? "]" : "\n  ]");
  }

  void PutConstraints(const TableSchema& schema) {
    out_.Put(",\n  ");
    Key("constraints");
    out_.Put('[');
    for (size_t i = 0; i < schema.constraints.size(); ++i) {
      const FieldRecord& constraint = schema.constraints[i];
      out_.Put(i == 0 ? "{" : ", {");
      Key("name");
      String(TrimmedFixedText(constraint.name, kNameWidth));
      out_.Put(", ");
      Number("id", constraint.fieldId);
      out_.Put(", ");
      Number("offset", constraint.offset);
      out_.Put('}');
    }
    out_.Put(']');
  }

  void PutStatistics(const DataFile& data) {
    out_.Put(",\n  ");
    Key("statistics");
    if (data.state != DataFileState::kOpen) {
      out_.Put("null");
      return;
    }
    const StatisticsRecord& stat = *data.statistics;
    out_.Put('{');
    Number("recordLength", StatRecordLength(stat));
    out_.Put(", ");
    Number("pageSize", StatPageSize(stat));
    out_.Put(", ");
    Number("version", StatFileVersion(stat));
    out_.Put(", ");
    Number("fileFlags", StatFileFlags(stat));
    out_.Put(", ");
    Number("records", StatRecordCount(stat));
    out_.Put(", ");
    Number("unusedPages", StatUnusedPages(stat));
    out_.Put(", ");
    Key("keys");
    out_.Put('[');
    for (size_t i = 0; i < data.keys.size(); ++i) {
      out_.Put(i == 0 ? "{" : ", {");
      Number("number", data.keys[i].number);
      out_.Put(", ");
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
