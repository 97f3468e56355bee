#include "parser.h"

#include <strings.h>

#include <cstring>

#include "morvel2/dictionary/column_types.h"
#include "recmgr/recmgr.h"

namespace mkdict {
namespace {

std::string Describe(const Token& token) {
  switch (token.kind) {
    case TokenKind::kEnd: return "end of file";
    case TokenKind::kQuotedName: return "\"" + token.text + "\"";
    case TokenKind::kString: return "string '" + token.text + "'";
    case TokenKind::kHex: return "hex string";
    default: return "'" + token.text + "'";
  }
}

struct Parser {
  Lexer& lexer;
  StatementHandler& handler;
  DescriptionError* error;
  Token ahead[2];     // the current token and, once asked for, the next
  size_t held = 0;    // tokens in ahead
  Token taken;        // the token last taken
  SourcePos lastPos;  // of the token last taken

  void Lex(Token* token) {
    DescriptionError ignored;  // the lexer keeps its error; Fail() reports it
    lexer.Next(token, &ignored);
  }
  const Token& Peek(size_t ahead_ = 0) {
    while (held <= ahead_) Lex(&ahead[held++]);
    return ahead[ahead_];
  }
  const Token& Take() {
    taken = Peek();
    lastPos = taken.pos;
    if (taken.kind != TokenKind::kEnd) {  // the end token stays current
      if (held == 2) ahead[0] = std::move(ahead[1]);
      --held;
    }
    return taken;
  }

  // A malformed token found on the way is the error, whatever the parser
  // made of the end token that stands in for it.
  bool Fail(SourcePos pos, std::string reason) {
    *error = lexer.Failed() ? lexer.Error() : DescriptionError{pos, std::move(reason)};
    return false;
  }
  bool FailExpected(const std::string& expected) {
    const Token& found = Peek();
    return Fail(found.pos, "expected " + expected + ", found " + Describe(found));
  }

  static bool IsKeyword(const Token& token, const char* keyword) {
    return token.kind == TokenKind::kWord && token.text.size() == std::strlen(keyword) &&
           strcasecmp(token.text.c_str(), keyword) == 0;
  }
  bool AcceptKeyword(const char* keyword) {
    if (!IsKeyword(Peek(), keyword)) return false;
    Take();
    return true;
  }
  bool ExpectKeyword(const char* keyword) { return AcceptKeyword(keyword) || FailExpected(keyword); }
  bool AcceptSymbol(char symbol) {
    if (Peek().kind != TokenKind::kSymbol || Peek().text[0] != symbol) return false;
    Take();
    return true;
  }
  bool ExpectSymbol(char symbol) {
    return AcceptSymbol(symbol) || FailExpected(std::string("'") + symbol + "'");
  }

  bool ParseName(TextClause* name, const char* what) {
    const Token& token = Peek();
    if (token.kind != TokenKind::kWord && token.kind != TokenKind::kQuotedName) {
      return FailExpected(std::string("a ") + what + " name");
    }
    *name = {token.text, token.pos};
    Take();
    return true;
  }

  bool ParseString(TextClause* text, const char* what) {
    if (Peek().kind != TokenKind::kString) return FailExpected(what);
    *text = {Peek().text, Peek().pos};
    Take();
    return true;
  }

  bool ParseInteger(IntClause* number) {
    SourcePos pos = Peek().pos;
    bool negative = AcceptSymbol('-');
    if (Peek().kind != TokenKind::kInteger) return FailExpected("an integer");
    uint64_t magnitude = Take().magnitude;
    if (magnitude > (negative ? uint64_t{1} << 63 : uint64_t{INT64_MAX})) {
      return Fail(pos, "number too large");
    }
    number->value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    number->pos = pos;
    return true;
  }

  // Parses an integer into *slot unless a clause of that name was given before.
  bool ParseOnce(std::optional<IntClause>* slot, const char* clause) {
    SourcePos pos = lastPos;
    if (slot->has_value()) return Fail(pos, std::string(clause) + " given twice");
    slot->emplace();
    return ParseInteger(&**slot);
  }

  bool ParseStringOnce(std::optional<TextClause>* slot, const char* clause) {
    SourcePos pos = lastPos;
    if (slot->has_value()) return Fail(pos, std::string(clause) + " given twice");
    slot->emplace();
    return ParseString(&**slot, "a string");
  }

  bool ParseType(ColumnDef* column) {
    const Token& token = Peek();
    column->typePos = token.pos;
    if (IsKeyword(token, "TYPE") && Peek(1).kind == TokenKind::kInteger) {
      Take();
      IntClause code;
      if (!ParseInteger(&code)) return false;
      if (code.value < 0 || code.value > 255) return Fail(code.pos, "type code must be 0 to 255");
      column->typeCode = static_cast<int>(code.value);
      column->rawType = true;
    } else if (token.kind == TokenKind::kWord) {
      const ColumnType* type = FindColumnType(token.text);
      if (type == nullptr) return Fail(token.pos, "unknown type '" + token.text + "'");
      column->typeCode = type->code;
      Take();
    } else {
      return FailExpected("a type");
    }
    if (!AcceptSymbol('(')) return true;
    column->size.emplace();
    if (!ParseInteger(&*column->size)) return false;
    if (AcceptSymbol(',')) {
      column->decimals.emplace();
      if (!ParseInteger(&*column->decimals)) return false;
    }
    return ExpectSymbol(')');
  }

  // After the options of a column or a segment: the list goes on or ends.
  bool ExpectListGoesOn(const char* options) {
    if (Peek().kind == TokenKind::kSymbol && (Peek().text[0] == ',' || Peek().text[0] == ')')) return true;
    return FailExpected(std::string(options) + ", ',' or ')'");
  }

  bool ParseOwner(OwnerClause* owner) {
    if (AcceptKeyword("UNKNOWN")) {
      owner->unknown = true;
      owner->name.pos = lastPos;
    } else if (!ParseString(&owner->name, "a string or UNKNOWN")) {
      return false;
    }
    if (!AcceptKeyword("GUARDS")) return true;
    if (AcceptKeyword("CHANGES")) {
      owner->guardsChanges = true;
      return true;
    }
    return ExpectKeyword("ALL") || FailExpected("ALL or CHANGES");
  }

  bool ParseColumn(ColumnDef* column) {
    if (!ParseName(&column->name, "column") || !ParseType(column)) return false;
    for (;;) {
      if (AcceptKeyword("NULL")) {
        column->nullable = true;
        column->notNull = false;
      } else if (AcceptKeyword("NOT")) {
        if (!ExpectKeyword("NULL")) return false;
        column->nullable = false;
        column->notNull = true;
      } else if (AcceptKeyword("CASE")) {
        if (AcceptKeyword("INSENSITIVE")) {
          column->caseInsensitive = true;
        } else if (AcceptKeyword("SENSITIVE")) {
          column->caseInsensitive = false;
        } else {
          return FailExpected("INSENSITIVE or SENSITIVE");
        }
      } else if (AcceptKeyword("BINARY")) {
        column->binary = true;
      } else if (AcceptKeyword("AT")) {
        if (!ParseOnce(&column->at, "AT")) return false;
      } else if (AcceptKeyword("ID")) {
        if (!ParseOnce(&column->id, "ID")) return false;
      } else if (AcceptKeyword("FLAGS")) {
        if (!ParseOnce(&column->rawFlags, "FLAGS")) return false;
      } else {
        return ExpectListGoesOn("NULL, NOT NULL, CASE INSENSITIVE, CASE SENSITIVE, BINARY, AT, ID, FLAGS");
      }
    }
  }

  bool ParseTableOption(TableDef* table, bool* more) {
    *more = true;
    if (AcceptKeyword("ID")) return ParseOnce(&table->id, "ID");
    if (AcceptKeyword("IN")) return ParseStringOnce(&table->location, "IN");
    if (AcceptKeyword("PAGESIZE")) return ParseOnce(&table->pageSize, "PAGESIZE");
    if (AcceptKeyword("VERSION")) return ParseOnce(&table->fileVersion, "VERSION");
    if (AcceptKeyword("OWNER")) {
      if (table->owner) return Fail(lastPos, "OWNER given twice");
      return ParseOwner(&table->owner.emplace());
    }
    if (AcceptKeyword("FLAGS")) return ParseOnce(&table->rawFlags, "FLAGS");
    if (AcceptKeyword("NO")) {
      table->noFile = true;
      return ExpectKeyword("FILE");
    }
    if (AcceptKeyword("VARIABLE")) {
      table->fileFlags |= RECMGR_FILE_VARIABLE_LENGTH;
    } else if (AcceptKeyword("RECORD")) {
      table->fileFlags |= RECMGR_FILE_RECORD_COMPRESSION;
      return ExpectKeyword("COMPRESSION");
    } else if (AcceptKeyword("PAGE")) {
      table->fileFlags |= RECMGR_FILE_PAGE_COMPRESSION;
      return ExpectKeyword("COMPRESSION");
    } else if (AcceptKeyword("NULLABLE")) {
      table->nullable = true;
    } else if (AcceptKeyword("DICTIONARY")) {
      table->dictionary = true;
    } else {
      *more = false;
    }
    return true;
  }

  bool ParseTable(Statement* statement) {
    TableDef table;
    if (!ParseName(&table.name, "table")) return false;
    for (bool more = true; more;) {
      if (!ParseTableOption(&table, &more)) return false;
    }
    if (!AcceptSymbol('(')) {
      return FailExpected(
          "ID, IN, NO FILE, PAGESIZE, VERSION, VARIABLE, RECORD COMPRESSION, PAGE COMPRESSION, OWNER, "
          "NULLABLE, DICTIONARY, FLAGS or '('");
    }
    if (AcceptSymbol(')')) {
      *statement = std::move(table);
      return true;
    }
    do {
      table.columns.emplace_back();
      if (!ParseColumn(&table.columns.back())) return false;
    } while (AcceptSymbol(','));
    if (!ExpectSymbol(')')) return false;
    *statement = std::move(table);
    return true;
  }

  bool ParseSegment(SegmentDef* segment) {
    if (!ParseName(&segment->column, "column")) return false;
    for (;;) {
      if (AcceptKeyword("ASC")) {
        segment->descending = false;
      } else if (AcceptKeyword("DESC")) {
        segment->descending = true;
      } else if (AcceptKeyword("CASE")) {
        if (AcceptKeyword("INSENSITIVE")) {
          segment->caseInsensitive = true;
        } else if (AcceptKeyword("SENSITIVE")) {
          segment->caseInsensitive = false;
        } else {
          return FailExpected("INSENSITIVE or SENSITIVE");
        }
      } else if (AcceptKeyword("ACS")) {
        segment->alternateCollation = true;
      } else if (AcceptKeyword("NULL")) {
        if (!ExpectKeyword("KEY")) return false;
        segment->nullKey = true;
      } else if (AcceptKeyword("FLAGS")) {
        if (!ParseOnce(&segment->rawFlags, "FLAGS")) return false;
      } else {
        return ExpectListGoesOn("ASC, DESC, CASE INSENSITIVE, CASE SENSITIVE, ACS, NULL KEY, FLAGS");
      }
    }
  }

  bool ParseIndex(SourcePos pos, bool unique, Statement* statement) {
    IndexDef index;
    index.pos = pos;
    index.unique = unique;
    if (!IsKeyword(Peek(), "ON")) {
      index.name.emplace();
      if (!ParseName(&*index.name, "index")) return false;
    }
    if (!ExpectKeyword("ON") || !ParseName(&index.table, "table") || !ExpectSymbol('(')) {
      return false;
    }
    do {
      index.segments.emplace_back();
      if (!ParseSegment(&index.segments.back())) return false;
    } while (AcceptSymbol(','));
    if (!ExpectSymbol(')')) return false;
    for (;;) {
      if (AcceptKeyword("NUMBER")) {
        if (!ParseOnce(&index.number, "NUMBER")) return false;
      } else if (AcceptKeyword("ID")) {
        if (!ParseOnce(&index.nameId, "ID")) return false;
      } else if (AcceptKeyword("MODIFIABLE")) {
        index.modifiable = true;
      } else if (Peek().kind == TokenKind::kSymbol && Peek().text[0] == ';') {
        break;
      } else {
        return FailExpected("NUMBER, ID, MODIFIABLE or ';'");
      }
    }
    *statement = std::move(index);
    return true;
  }

  bool ParseConstraint(Statement* statement) {
    ConstraintDef constraint;
    if (!ParseName(&constraint.name, "constraint") || !ExpectKeyword("ON") ||
        !ParseName(&constraint.table, "table")) {
      return false;
    }
    for (;;) {
      if (AcceptKeyword("ID")) {
        if (!ParseOnce(&constraint.id, "ID")) return false;
      } else if (AcceptKeyword("AT")) {
        if (!ParseOnce(&constraint.at, "AT")) return false;
      } else if (Peek().kind == TokenKind::kSymbol && Peek().text[0] == ';') {
        break;
      } else {
        return FailExpected("ID, AT or ';'");
      }
    }
    *statement = std::move(constraint);
    return true;
  }

  bool ParseValue(Literal* value) {
    value->pos = Peek().pos;
    const Token& token = Peek();
    if (IsKeyword(token, "NULL")) {
      value->kind = LiteralKind::kNull;
    } else if (IsKeyword(token, "TRUE") || IsKeyword(token, "FALSE")) {
      value->kind = LiteralKind::kBoolean;
      value->text = IsKeyword(token, "TRUE") ? "TRUE" : "FALSE";
    } else if (token.kind == TokenKind::kString || token.kind == TokenKind::kHex) {
      value->kind = token.kind == TokenKind::kString ? LiteralKind::kString : LiteralKind::kHex;
      value->text = token.text;
    } else {
      if (AcceptSymbol('-')) {
        value->negative = true;
      } else {
        AcceptSymbol('+');
      }
      const Token& number = Peek();
      if (number.kind == TokenKind::kInteger) {
        value->kind = LiteralKind::kInteger;
        value->magnitude = number.magnitude;
      } else if (number.kind == TokenKind::kDecimal) {
        value->kind = LiteralKind::kDecimal;
      } else if (number.kind == TokenKind::kFloat) {
        value->kind = LiteralKind::kFloat;
      } else {
        return FailExpected("a value (a number, a 'string', X'hex', TRUE, FALSE or NULL)");
      }
      value->text = number.text;
    }
    Take();
    return true;
  }

  // Hands the INSERT to the handler before its rows, then each row.
  bool ParseInsert(SourcePos pos) {
    InsertDef insert;
    insert.pos = pos;
    if (!ExpectKeyword("INTO") || !ParseName(&insert.table, "table")) return false;
    if (AcceptSymbol('(')) {
      insert.columns.emplace();
      do {
        insert.columns->emplace_back();
        if (!ParseName(&insert.columns->back(), "column")) return false;
      } while (AcceptSymbol(','));
      if (!ExpectSymbol(')')) return false;
    }
    if (!ExpectKeyword("VALUES") || !handler.Statement(insert, error)) return false;
    RowDef row;
    do {
      row.pos = Peek().pos;
      row.values.clear();
      if (!ExpectSymbol('(')) return false;
      do {
        row.values.emplace_back();
        if (!ParseValue(&row.values.back())) return false;
      } while (AcceptSymbol(','));
      if (!ExpectSymbol(')') || !handler.Row(row, error)) return false;
    } while (AcceptSymbol(','));
    return ExpectSymbol(';');
  }

  bool ParseStatement(Statement* statement) {
    SourcePos pos = Peek().pos;
    if (AcceptKeyword("SET")) {
      PasswordDef password;
      if (!ExpectKeyword("MASTER") || !ExpectKeyword("PASSWORD") || !ParseOwner(&password.password)) {
        return false;
      }
      *statement = std::move(password);
      return true;
    }
    if (!AcceptKeyword("CREATE")) return FailExpected("CREATE, INSERT or SET");  // INSERT: see Parse()
    if (AcceptKeyword("TABLE")) return ParseTable(statement);
    if (AcceptKeyword("CONSTRAINT")) return ParseConstraint(statement);
    bool unique = AcceptKeyword("UNIQUE");
    if (AcceptKeyword("INDEX")) return ParseIndex(pos, unique, statement);
    return FailExpected(unique ? "INDEX" : "TABLE, INDEX, UNIQUE or CONSTRAINT");
  }
};

}  // namespace

bool Parse(Lexer& lexer, StatementHandler& handler, DescriptionError* error) {
  Parser parser{lexer, handler, error, {}, 0, {}, {}};
  while (parser.Peek().kind != TokenKind::kEnd) {
    const SourcePos pos = parser.Peek().pos;
    if (parser.AcceptKeyword("INSERT")) {
      if (!parser.ParseInsert(pos)) return false;
      continue;
    }
    Statement statement;
    if (!parser.ParseStatement(&statement) || !parser.ExpectSymbol(';') ||
        !handler.Statement(statement, error)) {
      return false;
    }
  }
  if (lexer.Failed()) {
    *error = lexer.Error();
    return false;
  }
  return true;
}

}  // namespace mkdict
