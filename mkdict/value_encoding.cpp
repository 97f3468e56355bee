#include "value_encoding.h"

#include <algorithm>

#include "morvel2/dictionary/column_types.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/dictionary/null_indicator.h"
#include "morvel2/dictionary/value_text.h"

namespace mkdict {
namespace {

std::string ColumnText(const Column& column) {
  std::string text = "column ";
  text += column.name;
  text += " (";
  text += ColumnTypeText(column.typeCode);
  text += "(";
  text += std::to_string(column.size);
  if (column.decimals != 0) {
    text += ',';
    text += std::to_string(column.decimals);
  }
  return text + "))";
}

ValueText TextOf(const Literal& value) {
  std::string sign = value.negative ? "-" : "";
  switch (value.kind) {
    case LiteralKind::kInteger: return {ValueKind::kNumber, sign + std::to_string(value.magnitude)};
    case LiteralKind::kDecimal:
    case LiteralKind::kFloat: return {ValueKind::kNumber, sign + value.text};
    case LiteralKind::kString: return {ValueKind::kString, value.text};
    case LiteralKind::kBoolean: return {ValueKind::kBoolean, value.text};
    default: {
      ValueText hex{ValueKind::kHex, ""};
      static constexpr char kDigits[] = "0123456789ABCDEF";
      for (char c : value.text) {
        hex.text += kDigits[static_cast<unsigned char>(c) >> 4];
        hex.text += kDigits[static_cast<unsigned char>(c) & 0xF];
      }
      return hex;
    }
  }
}

bool IsAutoIncrement(const Column& column) { return column.typeCode == kTypeAutoIncrement; }

int64_t SignedValue(std::span<const std::byte> field) {
  uint64_t bits = 0;
  for (size_t i = 0; i < field.size(); ++i) bits |= static_cast<uint64_t>(field[i]) << (8 * i);
  unsigned width = static_cast<unsigned>(field.size()) * 8;
  if (width < 64 && (bits >> (width - 1) & 1) != 0) bits |= ~uint64_t{0} << width;
  return static_cast<int64_t>(bits);
}

// Numbers an AUTOINC column left at 0: one more than the highest so far.
bool Number(const Column& column, std::span<std::byte> field, int64_t* highest, SourcePos pos,
            DescriptionError* error) {
  unsigned width = static_cast<unsigned>(field.size()) * 8;
  int64_t limit = width == 64 ? INT64_MAX : (int64_t{1} << (width - 1)) - 1;
  if (*highest >= limit) {
    *error = {pos, "no value left above " + std::to_string(limit) + " in " + ColumnText(column)};
    return false;
  }
  ++*highest;
  for (size_t i = 0; i < field.size(); ++i) field[i] = static_cast<std::byte>(*highest >> (8 * i));
  return true;
}

// Sets the null indicator of a column that has a value; without one, a
// value of zero bytes in a column that accepts nulls will read as NULL.
void MarkValue(const Column& column, size_t c, std::span<const std::byte> field, Row* row) {
  if (column.nullIndicator != kNoNullIndicator) {
    row->record[static_cast<size_t>(column.nullIndicator)] = kNullIndicatorValue;
  } else if ((column.flags & kFieldNullable) &&
             std::all_of(field.begin(), field.end(), [](std::byte b) { return b == std::byte{0}; })) {
    row->readsAsNull.push_back(c);
  }
}

}  // namespace

std::string RowText(int rowNumber, int statementLine) {
  return "row " + std::to_string(rowNumber) + " of the statement at line " + std::to_string(statementLine);
}

bool EncodeRow(const Table& table, const std::vector<size_t>& columns, const RowDef& rowDef,
               SourcePos statementPos, int rowNumber, RowNumbering* numbering, Row* row,
               DescriptionError* error) {
  if (rowDef.values.size() != columns.size()) {
    *error = {rowDef.pos, "expected " + std::to_string(columns.size()) + " values in the row, found " +
                              std::to_string(rowDef.values.size())};
    return false;
  }
  numbering->highest.resize(table.columns.size(), 0);
  row->pos = rowDef.pos;
  row->statementLine = statementPos.line;
  row->number = rowNumber;
  row->record.assign(table.recordLength, std::byte{0});
  row->readsAsNull.clear();
  std::vector<const Literal*> valueOf(table.columns.size(), nullptr);
  for (size_t i = 0; i < columns.size(); ++i) valueOf[columns[i]] = &rowDef.values[i];
  for (size_t c = 0; c < table.columns.size(); ++c) {
    const Column& column = table.columns[c];
    const Literal* value = valueOf[c];
    std::span<std::byte> field(row->record.data() + column.offset, static_cast<size_t>(column.size));
    bool isNull = value == nullptr || value->kind == LiteralKind::kNull;
    bool autoIncrement =
        IsAutoIncrement(column) && AllowsSize(DescribeColumnType(column.typeCode), column.size);
    if (isNull && !autoIncrement) {
      if (!column.notNull) continue;  // zero bytes, and a zero indicator
      *error = {value != nullptr ? value->pos : rowDef.pos,
                (value != nullptr ? "NULL in NOT NULL column " : "no value for NOT NULL column ") +
                    column.name + " (" + RowText(rowNumber, statementPos.line) + ")"};
      return false;
    }
    SourcePos pos = value != nullptr ? value->pos : rowDef.pos;
    if (!isNull) {
      ColumnShape shape{column.typeCode, static_cast<uint32_t>(column.size), column.decimals, column.flags};
      std::string reason;
      if (!ParseValueText(shape, TextOf(*value), field, &reason)) {
        bool onlyHex = reason == "only hex values fit";
        *error = {pos, (onlyHex ? "only hex values or NULL fit " : reason + " for ") + ColumnText(column)};
        return false;
      }
    }
    if (autoIncrement) {
      // A hex value is taken as written; 0 or NULL is numbered.
      int64_t written = SignedValue(field);
      if (value != nullptr && value->kind == LiteralKind::kHex) {
        if (written > numbering->highest[c]) numbering->highest[c] = written;
      } else if (written == 0) {
        if (!Number(column, field, &numbering->highest[c], pos, error)) return false;
      } else if (written > numbering->highest[c]) {
        numbering->highest[c] = written;
      }
    }
    MarkValue(column, c, field, row);
  }
  return true;
}

}  // namespace mkdict
