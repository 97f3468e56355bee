// --format csv: one table as RFC 4180 text: a header row of column names,
// then one line per row, CRLF line ends.
#include "dump_writer.h"

namespace dictdump {

namespace {

class CsvWriter : public DumpWriter {
 public:
  explicit CsvWriter(const DumpContext& context) : out_(*context.out) {}

  void BeginTable(const TableDump& table) override {
    for (size_t i = 0; i < table.schema->columns.size(); ++i) {
      if (i != 0) out_.Put(',');
      Field(TrimmedFixedText(table.schema->columns[i].name, kNameWidth));
    }
    out_.Put("\r\n");
  }

  void Row(const TableDump& table, const std::byte* record) override {
    if (table.shapes.empty()) return;
    for (size_t i = 0; i < table.shapes.size(); ++i) {
      if (i != 0) out_.Put(',');
      if (IsNullColumn(table, i, record)) continue;  // an empty field
      Field(FormatColumnValue(table.shapes[i], ColumnBytes(table, i, record), &value_).text);
    }
    out_.Put("\r\n");
  }

  void EndTable(const TableDump&) override {}

 private:
  // Quoted only when it must be: a comma, a quote or a line break inside,
  // or empty (an empty field is NULL).
  void Field(std::string_view text) {
    if (!text.empty() && text.find_first_of(",\"\r\n") == std::string_view::npos) {
      out_.Put(text);
      return;
    }
    out_.Put('"');
    for (char ch : text) {
      if (ch == '"') out_.Put('"');
      out_.Put(ch);
    }
    out_.Put('"');
  }

  Output& out_;
  ValueText value_;  // the text form of the value being written, its storage kept
};

}  // namespace

std::unique_ptr<DumpWriter> MakeCsvWriter(const DumpContext& context) {
  return std::make_unique<CsvWriter>(context);
}

}  // namespace dictdump
