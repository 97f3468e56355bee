// --format html: one self-contained page to browse. A nav with a link and
// a search box per table, a summary, one section per table with its file,
// statistics, fields, indexes and constraints, and a footer with the command
// and the time it was made. Style and script are inline; the page names
// nothing outside itself and shows everything without its script.
#include <charconv>

#include "dump_writer.h"
#include "html_page_style.h"
#include "page_facts.h"

namespace dictdump {

namespace {

// Text built in memory: a table's section, and the nav, which is known only
// once every table is read.
class Html {
 public:
  std::string& text() { return text_; }
  Html& Raw(std::string_view raw) {
    text_ += raw;
    return *this;
  }
  // Text or an attribute value, with &, <, > and both quotes escaped.
  Html& Text(std::string_view plain) {
    size_t start = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
      const char* entity = nullptr;
      switch (plain[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = "&quot;"; break;
        case '\'': entity = "&#39;"; break;
        default: continue;
      }
      text_.append(plain, start, i - start);
      text_ += entity;
      start = i + 1;
    }
    text_.append(plain, start);
    return *this;
  }
  Html& Number(int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text_.append(digits, result.ptr);
    return *this;
  }
  // Cells, rows and list items leave out the end tags HTML lets a page
  // leave out: a large page is a third smaller.
  Html& Cell(std::string_view plain) { return Raw("<td>").Text(plain); }
  Html& NumberCell(int64_t value) { return Raw("<td>").Number(value); }
  // "Term: value" after the facts before it on its line, with a middle dot
  // between them.
  Html& Fact(std::string_view term, std::string_view plain) {
    return Raw(" \u00b7 ").Raw(term).Raw(": ").Text(plain);
  }
  Html& NumberFact(std::string_view term, int64_t value) {
    return Raw(" \u00b7 ").Raw(term).Raw(": ").Number(value);
  }

 private:
  std::string text_;
};

const char* YesNo(bool set) { return set ? "yes" : "no"; }

class HtmlWriter : public DumpWriter {
 public:
  explicit HtmlWriter(const DumpContext& context) : c_(context), links_(LinkNames(context.tables)) {}

  void BeginTable(const TableDump& table) override {
    const TableSchema& schema = *table.schema;
    const std::string name = ShownName(schema.name);
    const std::string& link = links_[next_++];
    totals_.Add(schema, *table.data);
    nav_.Raw("<li><a href=\"#").Raw(link).Raw("\">").Text(name).Raw("</a>\n");
    main_.Raw("<section id=\"").Raw(link).Raw("\">\n<h2>").Text(name).Raw("</h2>\n");
    PutFile(schema, *table.data);
    PutFields(schema);
    PutIndexes(schema, *table.data);
    PutConstraints(schema);
    main_.Raw("</section>\n");
    c_.out->Put(main_.text());
    main_.text().clear();  // its storage kept for the next table
  }
  void Row(const TableDump&, const std::byte*) override {}
  void EndTable(const TableDump&) override {}

  void Begin() override {
    Output& out = *c_.out;
    out.Put(
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"generator\" content=\"dictdump\">\n<title>Data dictionary</title>\n<style>");
    out.Put(kHtmlStyle);
    out.Put("</style>\n</head>\n<body>\n<main>\n");
  }

  // The sections are written as they come; the nav, the summary and the
  // footer follow them in the file, and the style sheet puts them in their
  // places on the page. So a large page is never held in memory.
  void End() override {
    Output& out = *c_.out;
    out.Put("</main>\n");
    out.Put(
        "<nav aria-label=\"Tables\">\n<input type=\"search\" id=\"dd_search\" placeholder=\"Filter tables "
        "(press /)\" aria-label=\"Filter tables\" autocomplete=\"off\">\n<div id=\"dd_count\" "
        "aria-live=\"polite\"></div>\n<ul id=\"dd_tables\">\n");
    out.Put(nav_.text());
    out.Put("</ul>\n</nav>\n<header>\n<h1>Data dictionary</h1>\n");
    PutSummary(out);
    Html footer;
    footer.Raw("</header>\n<footer>Made by <code>")
        .Text(QuotedCommand(c_.options->arguments))
        .Raw("</code> on ")
        .Text(TimeMade())
        .Raw(".</footer>\n<script>");
    out.Put(footer.text());
    out.Put(kHtmlScript);
    out.Put("</script>\n</body>\n</html>\n");
  }

 private:
  void PutSummary(Output& out) const {
    Html summary;
    summary.Raw(
        "<table class=\"summary\" id=\"dd_summary\"><tr><th>Tables<th>Fields<th>Indexes"
        "<th>Rows<th>Bytes\n<tr>");
    for (const uint64_t value :
         {totals_.tables, totals_.fields, totals_.indexes, totals_.rows, totals_.bytes})
      summary.Raw("<td>").Raw(Grouped(value));
    summary.Raw("</table>\n");
    out.Put(summary.text());
  }

  // The facts are two lines of one paragraph, the file's and its
  // statistics': a list of terms would be 45 elements and text nodes a
  // table, 90,000 on a page of 2,000 tables.
  void PutFile(const TableSchema& schema, const DataFile& data) {
    main_.Raw("<p class=\"facts\">Location: <code>").Text(ShownName(schema.location)).Raw("</code>");
    main_.Fact("File", FileKind(schema));
    main_.Fact("Nullable", YesNo(TableNullable(schema)));
    main_.Fact("Owner name", OwnerModeWords(data));
    if (data.state != DataFileState::kOpen) {
      main_.Raw("<br>Data file: ").Text(DataFileStateWords(data)).Raw("</p>\n");
      return;
    }
    const StatisticsRecord& stat = *data.statistics;
    const uint16_t flags = StatFileFlags(stat);
    main_.Raw("<br>Records: ").Number(StatRecordCount(stat));
    main_.NumberFact("Record length", StatRecordLength(stat));
    main_.NumberFact("Page size", StatPageSize(stat));
    main_.Fact("Variable", YesNo(flags & RECMGR_FILE_VARIABLE_LENGTH));
    main_.NumberFact("Keys", StatIndexCount(stat));
    main_.NumberFact("Unused pages", StatUnusedPages(stat));
    main_.Fact("Compression", (flags & RECMGR_FILE_RECORD_COMPRESSION)
                                  ? ((flags & RECMGR_FILE_PAGE_COMPRESSION) ? "records, pages" : "records")
                                  : ((flags & RECMGR_FILE_PAGE_COMPRESSION) ? "pages" : "none"));
    main_.Raw("</p>\n");
  }

  // A large page loads as quickly as it has few elements and text nodes
  // (a browser spends about a microsecond on each, and a 2,000-table page
  // has 100,000 fields), so a field is one row of three cells, its type
  // with its size, decimals or case and "nullable" when it is, and an
  // index one row with a line per segment.
  void PutFields(const TableSchema& schema) {
    main_.Raw("<h3>Fields</h3>\n");
    if (schema.columns.empty()) {
      main_.Raw("<p class=\"none\">No fields.</p>\n");
      return;
    }
    main_.Raw("<table class=\"fields\"><tr><th>Position (offset)<th>Name<th>Type (size, dec/case)\n");
    for (const FieldRecord& f : schema.columns) {
      main_.Raw("<tr><td>").Number(int64_t{f.offset} + 1).Raw(" (").Number(f.offset).Raw(")");
      main_.Cell(ShownFieldName(f)).Cell(ReportTypeName(f.typeCode)).Raw(" (").Number(f.size);
      main_.Raw(", ").Text(DecimalsOrCase(f)).Raw((f.flags & kFieldNullable) ? "), nullable\n" : ")\n");
    }
    main_.Raw("</table>\n");
  }

  void PutIndexes(const TableSchema& schema, const DataFile& data) {
    main_.Raw("<h3>Indexes</h3>\n");
    if (schema.indexes.empty()) {
      main_.Raw("<p class=\"none\">No indexes.</p>\n");
      return;
    }
    main_.Raw(
        "<table class=\"indexes\"><tr><th>Index<th>Name<th>Keys<th>Modifiable<th>Unique values"
        "<th>Segments (field, order, case, null key)\n");
    for (const IndexSchema& index : schema.indexes) {
      main_.Raw("<tr>").NumberCell(index.number).Cell(ShownName(index.name));
      main_.Cell(IndexUnique(index) ? "unique" : "duplicates").Cell(YesNo(IndexModifiable(index)));
      if (const std::optional<uint32_t> unique = UniqueValues(data, index.number))
        main_.NumberCell(*unique);
      else
        main_.Cell("unknown");
      main_.Raw("<td>");
      if (index.segments.empty()) main_.Raw("no segments");
      for (size_t s = 0; s < index.segments.size(); ++s) {
        const IndexRecord& segment = index.segments[s];
        if (s != 0) main_.Raw("<br>");
        const FieldRecord* field = FindColumn(schema, segment.fieldId);
        main_.Text(field != nullptr ? ShownFieldName(*field) : "field " + std::to_string(segment.fieldId));
        main_.Raw((segment.flags & kSegmentDescending) ? ", descending" : ", ascending");
        main_.Raw(", ").Raw(SegmentCase(schema, segment));
        main_.Raw((segment.flags & kSegmentNullKey) ? ", null key" : ", no null key");
      }
      main_.Raw("\n");
    }
    main_.Raw("</table>\n");
  }

  void PutConstraints(const TableSchema& schema) {
    if (schema.constraints.empty()) return;
    main_.Raw(
        "<h3>Constraints</h3>\n<table "
        "class=\"constraints\"><tr><th>Name<th>Id<th>Offset\n");
    for (const FieldRecord& constraint : schema.constraints)
      main_.Raw("<tr>")
          .Cell(ShownFieldName(constraint))
          .NumberCell(constraint.fieldId)
          .NumberCell(constraint.offset)
          .Raw("\n");
    main_.Raw("</table>\n");
  }

  const DumpContext& c_;
  std::vector<std::string> links_;  // per table, in the order written
  size_t next_ = 0;
  Totals totals_;
  Html nav_;
  Html main_;
};

}  // namespace

std::unique_ptr<DumpWriter> MakeHtmlWriter(const DumpContext& context) {
  return std::make_unique<HtmlWriter>(context);
}

}  // namespace dictdump
