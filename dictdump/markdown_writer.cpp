// --format markdown -o DIR: DIR/README.md, a table of the tables linking to
// one file per table, which holds what the html format's section holds, as
// GitHub-flavoured tables. Nothing in it changes from run to run unless
// the dictionary does, so it can be kept beside an application's code and
// checked with --check.
#include "dump_writer.h"
#include "markdown_folder.h"
#include "page_facts.h"

namespace dictdump {

namespace {

// Text for a table cell or a heading: every character markdown could read
// as markup escaped with a backslash, < and & as entities, so that no name
// becomes a link, emphasis, HTML or a cell border.
std::string Escaped(std::string_view plain) {
  static constexpr std::string_view kMarkup = "\\`*_[]|#!~>";
  std::string text;
  text.reserve(plain.size());
  for (char c : plain) {
    if (c == '<') {
      text += "&lt;";
    } else if (c == '&') {
      text += "&amp;";
    } else {
      if (kMarkup.find(c) != std::string_view::npos) text += '\\';
      text += c;
    }
  }
  return text;
}

const char* YesNo(bool set) { return set ? "yes" : "no"; }

std::string Line(std::initializer_list<std::string> cells) {
  std::string line = "|";
  for (const std::string& cell : cells) line += " " + cell + " |";
  return line + "\n";
}

class MarkdownWriter : public DumpWriter {
 public:
  explicit MarkdownWriter(const DumpContext& context) : c_(context), links_(LinkNames(context.tables)) {
    index_ = "| Table | Rows | Fields | Indexes |\n|---|---:|---:|---:|\n";
  }

  void BeginTable(const TableDump& table) override {
    const TableSchema& schema = *table.schema;
    const DataFile& data = *table.data;
    const std::string name = Escaped(ShownName(schema.name));
    const std::string file = links_[next_++] + ".md";
    totals_.Add(schema, data);
    index_ += Line({"[" + name + "](" + file + ")",
                    data.state == DataFileState::kOpen ? Grouped(RecordCount(data)) : "not available",
                    std::to_string(schema.columns.size()), std::to_string(schema.indexes.size())});
    std::string page = kGeneratedMark;
    page += "# " + name + "\n\n[All tables](README.md)\n\n";
    PutFile(schema, data, &page);
    PutFields(schema, &page);
    PutIndexes(schema, data, &page);
    PutConstraints(schema, &page);
    files_[file] = std::move(page);
  }
  void Row(const TableDump&, const std::byte*) override {}
  void EndTable(const TableDump&) override {}

  void End() override {
    std::string readme = kGeneratedMark;
    readme += "# Data dictionary\n\n";
    readme += Line({"Tables", "Fields", "Indexes", "Rows", "Bytes"});
    readme += "|---:|---:|---:|---:|---:|\n";
    readme += Line({Grouped(totals_.tables), Grouped(totals_.fields), Grouped(totals_.indexes),
                    Grouped(totals_.rows), Grouped(totals_.bytes)});
    readme += "\n" + index_;
    files_["README.md"] = std::move(readme);
  }

  int Finish() override {
    const std::string& folder = c_.options->outputFile;
    return c_.options->check ? CheckFolder(folder, files_, c_.out) : WriteFolder(folder, files_);
  }

 private:
  static void PutFile(const TableSchema& schema, const DataFile& data, std::string* page) {
    *page += "| | |\n|---|---|\n";
    *page += Line({"Location", Escaped(ShownName(schema.location))});
    *page += Line({"File", FileKind(schema)});
    *page += Line({"Nullable", YesNo(TableNullable(schema))});
    *page += Line({"Owner name", OwnerModeWords(data)});
    if (data.state != DataFileState::kOpen) {
      *page += Line({"Data file", DataFileStateWords(data)}) + "\n";
      return;
    }
    const StatisticsRecord& stat = *data.statistics;
    const uint16_t flags = StatFileFlags(stat);
    *page += Line({"Records", std::to_string(StatRecordCount(stat))});
    *page += Line({"Record length", std::to_string(StatRecordLength(stat))});
    *page += Line({"Page size", std::to_string(StatPageSize(stat))});
    *page += Line({"Variable", YesNo(flags & RECMGR_FILE_VARIABLE_LENGTH)});
    *page += Line({"Keys", std::to_string(StatIndexCount(stat))});
    *page += Line({"Unused pages", std::to_string(StatUnusedPages(stat))});
    *page +=
        Line({"Compression", (flags & RECMGR_FILE_RECORD_COMPRESSION)
                                 ? ((flags & RECMGR_FILE_PAGE_COMPRESSION) ? "records, pages" : "records")
                                 : ((flags & RECMGR_FILE_PAGE_COMPRESSION) ? "pages" : "none")});
    *page += "\n";
  }

  static void PutFields(const TableSchema& schema, std::string* page) {
    *page += "## Fields\n\n";
    if (schema.columns.empty()) {
      *page += "No fields.\n\n";
      return;
    }
    *page += "| Position | Offset | Name | Type | Size | Dec/Case | Nullable |\n";
    *page += "|---:|---:|---|---|---:|---|---|\n";
    for (const FieldRecord& f : schema.columns)
      *page += Line({std::to_string(int64_t{f.offset} + 1), std::to_string(f.offset),
                     Escaped(ShownFieldName(f)), Escaped(ReportTypeName(f.typeCode)), std::to_string(f.size),
                     DecimalsOrCase(f), YesNo(f.flags & kFieldNullable)});
    *page += "\n";
  }

  static void PutIndexes(const TableSchema& schema, const DataFile& data, std::string* page) {
    *page += "## Indexes\n\n";
    if (schema.indexes.empty()) {
      *page += "No indexes.\n\n";
      return;
    }
    *page +=
        "| Index | Name | Keys | Modifiable | Unique values | Segment | Field | Order | Case | Null key |\n";
    *page += "|---:|---|---|---|---:|---:|---|---|---|---|\n";
    for (const IndexSchema& index : schema.indexes) {
      const std::optional<uint32_t> unique = UniqueValues(data, index.number);
      std::string head[5] = {std::to_string(index.number), Escaped(ShownName(index.name)),
                             IndexUnique(index) ? "unique" : "duplicates", YesNo(IndexModifiable(index)),
                             unique ? std::to_string(*unique) : "unknown"};
      if (index.segments.empty())
        *page += Line({head[0], head[1], head[2], head[3], head[4], "", "no segments", "", "", ""});
      for (size_t s = 0; s < index.segments.size(); ++s) {
        const IndexRecord& segment = index.segments[s];
        const FieldRecord* field = FindColumn(schema, segment.fieldId);
        *page += Line(
            {head[0], head[1], head[2], head[3], head[4], std::to_string(s + 1),
             field != nullptr ? Escaped(ShownFieldName(*field)) : "field " + std::to_string(segment.fieldId),
             (segment.flags & kSegmentDescending) ? "descending" : "ascending", SegmentCase(schema, segment),
             YesNo(segment.flags & kSegmentNullKey)});
        for (std::string& cell : head) cell.clear();  // the index's own cells only on its first line
      }
    }
    *page += "\n";
  }

  static void PutConstraints(const TableSchema& schema, std::string* page) {
    if (schema.constraints.empty()) return;
    *page += "## Constraints\n\n| Name | Id | Offset |\n|---|---:|---:|\n";
    for (const FieldRecord& constraint : schema.constraints)
      *page += Line({Escaped(ShownFieldName(constraint)), std::to_string(constraint.fieldId),
                     std::to_string(constraint.offset)});
    *page += "\n";
  }

  const DumpContext& c_;
  std::vector<std::string> links_;  // per table, in the order written
  size_t next_ = 0;
  Totals totals_;
  std::string index_;  // README.md's table of tables
  FolderFiles files_;
};

}  // namespace

std::unique_ptr<DumpWriter> MakeMarkdownWriter(const DumpContext& context) {
  return std::make_unique<MarkdownWriter>(context);
}

}  // namespace dictdump
