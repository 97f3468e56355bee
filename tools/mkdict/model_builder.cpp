#include "model_builder.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "clause_checks.h"
#include "data_file_keys.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "type_table.h"
#include "value_encoding.h"

namespace mkdict {
namespace {

constexpr int64_t kMaxDataFileRecord = 65535;
constexpr int64_t kMaxKeyLength = 255;

struct TableNames {
  std::unordered_map<std::string, size_t> columns;  // folded name → column
  std::unordered_set<std::string> indexNames;
  std::unordered_set<std::string> constraintNames;
  NumberSeries indexNumbers{{}, 0};
};

struct Builder {
  Database* database;
  DescriptionError* error;
  std::unordered_map<std::string, size_t> tables;  // folded name → table
  std::vector<TableNames> names;                   // per table
  NumberSeries tableIds;
  NumberSeries fieldIds;

  bool FindTable(const TextClause& name, size_t* table) {
    auto found = tables.find(FoldCase(name.text));
    if (found == tables.end()) return Fail(name.pos, "unknown table " + name.text, error);
    *table = found->second;
    return true;
  }

  bool FindColumn(size_t table, const TextClause& name, size_t* column) {
    auto found = names[table].columns.find(FoldCase(name.text));
    if (found == names[table].columns.end()) {
      return Fail(name.pos, "unknown column " + name.text + " in table " + database->tables[table].name,
                  error);
    }
    *column = found->second;
    return true;
  }

  bool AddPassword(const PasswordDef& def) {
    if (database->password) return Fail(def.password.pos, "master password set twice", error);
    if (def.password.text.size() > size_t{kMasterPasswordLength}) {
      return Fail(def.password.pos,
                  "master password longer than " + std::to_string(kMasterPasswordLength) + " characters",
                  error);
    }
    database->password = def.password.text;
    database->passwordPos = def.password.pos;
    return true;
  }

  bool AddColumn(const ColumnDef& def, Table& table, TableNames& tableNames, int64_t* end) {
    if (!CheckName(def.name, "column", error)) return false;
    if (!tableNames.columns.emplace(FoldCase(def.name.text), table.columns.size()).second) {
      return Fail(def.name.pos, "duplicate column name " + def.name.text + " in table " + table.name, error);
    }
    Column column;
    column.name = def.name.text;
    column.typeCode = static_cast<uint8_t>(def.typeCode);
    TypeInfo type = DescribeType(def.typeCode);
    if (def.size) {
      if (!CheckRange(*def.size, 0, INT32_MAX, "size", error)) return false;
      column.size = static_cast<int32_t>(def.size->value);
    } else if (type.defaultSize == 0) {
      return Fail(def.typePos, TypeText(def.typeCode) + " needs a size", error);
    } else {
      column.size = type.defaultSize;
    }
    if (def.decimals) {
      if (!CheckRange(*def.decimals, 0, UINT16_MAX, "decimal places", error)) return false;
      column.decimals = static_cast<uint16_t>(def.decimals->value);
    }
    if (def.at) {
      if (!CheckRange(*def.at, 0, INT32_MAX, "offset", error)) return false;
      *end = def.at->value;
    } else if (*end > INT32_MAX) {
      return Fail(def.name.pos, "offset of column " + column.name + " out of range", error);
    }
    column.offset = static_cast<int32_t>(*end);
    *end += column.size;
    if (!fieldIds.Take(def.id, false, def.name.pos, "field id", &column.fieldId, error)) {
      return false;
    }
    if (def.rawFlags && !RawBits(*def.rawFlags, "flags", &column.flags, error)) return false;
    if (def.caseInsensitive) column.flags |= kFieldCaseInsensitive;
    if (def.nullable) column.flags |= kFieldNullable;
    if (def.binary) column.flags |= kFieldBlobBinary;
    if (table.hasDataFile) {
      if (*end > kMaxDataFileRecord) {
        return Fail(def.name.pos,
                    "column " + column.name + " ends at byte " + std::to_string(*end) +
                        ", past the 65535-byte record of a data file",
                    error);
      }
      if (*end > table.recordLength) table.recordLength = static_cast<uint16_t>(*end);
    }
    table.columns.push_back(std::move(column));
    return true;
  }

  bool AddTable(const TableDef& def) {
    if (!CheckName(def.name, "table", error)) return false;
    if (!tables.emplace(FoldCase(def.name.text), database->tables.size()).second) {
      return Fail(def.name.pos, "duplicate table name " + def.name.text, error);
    }
    Table table;
    table.pos = def.name.pos;
    table.name = def.name.text;
    if (!tableIds.Take(def.id, false, def.name.pos, "table id", &table.id, error)) return false;
    if (def.location) {
      if (!CheckText(*def.location, kLocationWidth, "location", error)) return false;
      table.location = def.location->text;
    } else {
      table.location = DefaultLocation(table.name);
    }
    table.hasDataFile = !def.noFile;
    if (def.pageSize) {
      if (!CheckRange(*def.pageSize, 1, UINT16_MAX, "page size", error)) return false;
      table.pageSize = static_cast<uint16_t>(def.pageSize->value);
    }
    if (def.fileVersion) {
      if (!CheckRange(*def.fileVersion, 0, UINT8_MAX, "file version", error)) return false;
      table.fileVersion = static_cast<uint8_t>(def.fileVersion->value);
    }
    table.fileFlags = def.fileFlags;
    if (def.owner) {
      if (def.owner->text.size() > size_t{kMasterPasswordLength}) {
        return Fail(def.owner->pos,
                    "owner name longer than " + std::to_string(kMasterPasswordLength) + " characters", error);
      }
      table.owner = def.owner->text;
    }
    if (def.rawFlags && !RawBits(*def.rawFlags, "flags", &table.flags, error)) return false;
    if (def.nullable) table.flags |= kTableNullable;
    if (def.dictionary) table.flags |= kTableDictionary;
    names.emplace_back();
    int64_t end = 0;
    for (const ColumnDef& column : def.columns) {
      if (!AddColumn(column, table, names.back(), &end)) return false;
    }
    database->tables.push_back(std::move(table));
    return true;
  }

  bool AddIndex(const IndexDef& def) {
    size_t tableNumber = 0;
    if (!FindTable(def.table, &tableNumber)) return false;
    Table& table = database->tables[tableNumber];
    TableNames& tableNames = names[tableNumber];
    Index index;
    index.pos = def.pos;
    if (def.name) {
      if (!CheckName(*def.name, "index", error)) return false;
      if (!tableNames.indexNames.insert(FoldCase(def.name->text)).second) {
        return Fail(def.name->pos, "duplicate index name " + def.name->text + " in table " + table.name,
                    error);
      }
      index.name = def.name->text;
    } else if (def.nameId) {
      return Fail(def.nameId->pos, "ID needs an index name", error);
    }
    SourcePos numberPos = def.name ? def.name->pos : def.pos;
    if (!tableNames.indexNumbers.Take(def.number, true, numberPos, "index number", &index.number, error)) {
      return false;
    }
    uint32_t indexFlags = (def.unique ? 0 : kSegmentDuplicates) | (def.modifiable ? kSegmentModifiable : 0);
    for (const SegmentDef& segmentDef : def.segments) {
      Segment segment;
      if (!FindColumn(tableNumber, segmentDef.column, &segment.column)) return false;
      if (segmentDef.rawFlags && !RawBits(*segmentDef.rawFlags, "flags", &segment.flags, error)) {
        return false;
      }
      segment.flags |= indexFlags;
      if (segmentDef.descending) segment.flags |= kSegmentDescending;
      if (segmentDef.caseInsensitive) segment.flags |= kSegmentCaseInsensitive;
      if (segmentDef.alternateCollation) segment.flags |= kSegmentAlternateCollation;
      if (segmentDef.nullKey) segment.flags |= kSegmentNullKey;
      index.segments.push_back(segment);
    }
    if (table.hasDataFile && IsDataFileKey(index) && !CheckKeyLength(table, index, def)) {
      return false;
    }
    if (index.name &&
        !fieldIds.Take(def.nameId, false, def.name->pos, "field id", &index.nameFieldId, error)) {
      return false;
    }
    table.indexes.push_back(std::move(index));
    return true;
  }

  // A data-file key value is at most 255 bytes (the key length of a call is
  // one byte), and no segment is empty.
  bool CheckKeyLength(const Table& table, const Index& index, const IndexDef& def) {
    int64_t length = 0;
    for (size_t i = 0; i < index.segments.size(); ++i) {
      const Column& column = table.columns[index.segments[i].column];
      if (column.size == 0) {
        return Fail(def.segments[i].column.pos,
                    "column " + column.name + " of size 0 cannot be part of a key", error);
      }
      length += column.size;
    }
    if (length > kMaxKeyLength) {
      return Fail(def.pos,
                  "key of " + std::to_string(length) + " bytes is longer than the " +
                      std::to_string(kMaxKeyLength) + " bytes a data-file key can hold",
                  error);
    }
    return true;
  }

  bool AddConstraint(const ConstraintDef& def) {
    size_t tableNumber = 0;
    if (!FindTable(def.table, &tableNumber)) return false;
    Table& table = database->tables[tableNumber];
    if (!CheckName(def.name, "constraint", error)) return false;
    if (!names[tableNumber].constraintNames.insert(FoldCase(def.name.text)).second) {
      return Fail(def.name.pos, "duplicate constraint name " + def.name.text + " in table " + table.name,
                  error);
    }
    Constraint constraint;
    constraint.name = def.name.text;
    if (def.at) {
      if (!CheckRange(*def.at, 0, INT32_MAX, "offset", error)) return false;
      constraint.offset = static_cast<int32_t>(def.at->value);
    }
    if (!fieldIds.Take(def.id, false, def.name.pos, "field id", &constraint.fieldId, error)) {
      return false;
    }
    table.constraints.push_back(std::move(constraint));
    return true;
  }

  bool AddRows(const InsertDef& def) {
    size_t tableNumber = 0;
    if (!FindTable(def.table, &tableNumber)) return false;
    Table& table = database->tables[tableNumber];
    if (!table.hasDataFile) {
      return Fail(def.table.pos, "table " + table.name + " has no data file", error);
    }
    std::vector<size_t> columns;
    if (def.columns) {
      std::unordered_set<size_t> listed;
      for (const TextClause& name : *def.columns) {
        size_t column = 0;
        if (!FindColumn(tableNumber, name, &column)) return false;
        if (!listed.insert(column).second) {
          return Fail(name.pos, "column " + name.text + " listed twice", error);
        }
        columns.push_back(column);
      }
    } else {
      for (size_t i = 0; i < table.columns.size(); ++i) columns.push_back(i);
    }
    for (const RowDef& rowDef : def.rows) {
      if (rowDef.values.size() != columns.size()) {
        return Fail(rowDef.pos,
                    "expected " + std::to_string(columns.size()) + " values in the row, found " +
                        std::to_string(rowDef.values.size()),
                    error);
      }
      Row row;
      row.pos = rowDef.pos;
      row.record.assign(table.recordLength, std::byte{0});
      for (size_t i = 0; i < columns.size(); ++i) {
        const Column& column = table.columns[columns[i]];
        std::span<std::byte> field(row.record.data() + column.offset, static_cast<size_t>(column.size));
        std::string reason;
        if (!EncodeValue(rowDef.values[i], column, field, &reason)) {
          return Fail(rowDef.values[i].pos, reason, error);
        }
      }
      table.rows.push_back(std::move(row));
    }
    return true;
  }

  bool Add(const Statement& statement) {
    if (auto* password = std::get_if<PasswordDef>(&statement)) return AddPassword(*password);
    if (auto* table = std::get_if<TableDef>(&statement)) return AddTable(*table);
    if (auto* index = std::get_if<IndexDef>(&statement)) return AddIndex(*index);
    if (auto* constraint = std::get_if<ConstraintDef>(&statement)) {
      return AddConstraint(*constraint);
    }
    return AddRows(std::get<InsertDef>(statement));
  }

  // The table's name with '/', '\' and control characters made '_', and ".DAT".
  static std::string DefaultLocation(const std::string& name) {
    std::string location = name;
    for (char& c : location) {
      if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
    }
    return location + ".DAT";
  }
};

}  // namespace

bool BuildModel(const std::vector<Statement>& statements, Database* database, DescriptionError* error) {
  Builder builder{database, error, {}, {}, {}, {}};
  for (const Statement& statement : statements) {
    if (!builder.Add(statement)) return false;
  }
  for (const Table& table : database->tables) {
    if (!CheckUniqueKeys(table, error)) return false;
  }
  return true;
}

}  // namespace mkdict
