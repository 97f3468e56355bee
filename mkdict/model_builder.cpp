#include "model_builder.h"

#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "clause_checks.h"
#include "data_file_keys.h"
#include "morvel2/dictionary/column_types.h"
#include "morvel2/dictionary/dictionary_records.h"
#include "morvel2/dictionary/null_indicator.h"
#include "recmgr/writer.h"
#include "value_encoding.h"

namespace mkdict {
namespace {

// The writer's record length is 16 bits wide.
constexpr int64_t kMaxDataFileRecord = std::numeric_limits<decltype(recmgr::FileSpec::recordLength)>::max();
constexpr int64_t kMaxKeyLength = recmgr::kMaxKeyLength;

struct TableNames {
  std::unordered_map<std::string, size_t> columns;  // folded name → column
  std::unordered_set<std::string> indexNames;
  std::unordered_set<std::string> constraintNames;
  NumberSeries indexNumbers{{}, 0};
  RowNumbering numbering;
};

// Refuses the UNKNOWN marker a dump writes for an owner name.
bool CheckOwnerKnown(const OwnerClause& owner, const std::string& whose, DescriptionError* error) {
  if (!owner.unknown) return true;
  return Fail(owner.name.pos, whose + " is not known: write it in quotes in place of UNKNOWN", error);
}

}  // namespace

struct ModelBuilder::Builder {
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
    const TextClause& password = def.password.name;
    if (database->password) return Fail(password.pos, "master password set twice", error);
    if (!CheckOwnerKnown(def.password, "the master password", error)) return false;
    if (password.text.size() > size_t{kMasterPasswordLength}) {
      return Fail(password.pos,
                  "master password longer than " + std::to_string(kMasterPasswordLength) + " characters",
                  error);
    }
    database->password = password.text;
    database->passwordPos = password.pos;
    database->passwordGuardsChanges = def.password.guardsChanges;
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
    ColumnType type = DescribeColumnType(def.typeCode);
    if (def.size) {
      if (!CheckRange(*def.size, 0, INT32_MAX, "size", error)) return false;
      column.size = static_cast<int32_t>(def.size->value);
      if (!def.rawType && !AllowsSize(type, column.size)) {
        return Fail(def.size->pos,
                    "size of " + ColumnTypeText(def.typeCode) + " column " + column.name + " must be " +
                        AllowedSizesText(type),
                    error);
      }
    } else if (type.defaultSize == 0) {
      return Fail(def.typePos, ColumnTypeText(def.typeCode) + " needs a size", error);
    } else {
      column.size = type.defaultSize;
    }
    if (def.decimals) {
      if (!CheckRange(*def.decimals, 0, UINT16_MAX, "decimal places", error)) return false;
      column.decimals = static_cast<uint16_t>(def.decimals->value);
    }
    if (def.rawFlags && !RawBits(*def.rawFlags, "flags", &column.flags, error)) return false;
    if (def.caseInsensitive) column.flags |= kFieldCaseInsensitive;
    if (def.nullable) column.flags |= kFieldNullable;
    if (def.binary) column.flags |= kFieldBlobBinary;
    if (def.at) {
      if (!CheckRange(*def.at, 0, INT32_MAX, "offset", error)) return false;
      *end = def.at->value;
    } else if ((table.flags & kTableNullable) && (column.flags & kFieldNullable)) {
      ++*end;  // the byte before the column is its null indicator
    }
    if (*end > INT32_MAX) {
      return Fail(def.name.pos, "offset of column " + column.name + " out of range", error);
    }
    column.offset = static_cast<int32_t>(*end);
    *end += column.size;
    if (!fieldIds.Take(def.id, false, def.name.pos, "field id", &column.fieldId, error)) {
      return false;
    }
    column.notNull = def.notNull;
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
      const TextClause& owner = def.owner->name;
      if (!CheckOwnerKnown(*def.owner, "the owner name of table " + table.name, error)) return false;
      if (owner.text.size() > size_t{kMasterPasswordLength}) {
        return Fail(owner.pos,
                    "owner name longer than " + std::to_string(kMasterPasswordLength) + " characters", error);
      }
      table.owner = owner.text;
      table.ownerGuardsChanges = def.owner->guardsChanges;
    }
    if (def.rawFlags && !RawBits(*def.rawFlags, "flags", &table.flags, error)) return false;
    if (def.nullable) table.flags |= kTableNullable;
    if (def.dictionary) table.flags |= kTableDictionary;
    names.emplace_back();
    int64_t end = 0;
    for (const ColumnDef& column : def.columns) {
      if (!AddColumn(column, table, names.back(), &end)) return false;
    }
    PlaceNullIndicators(table);
    database->tables.push_back(std::move(table));
    return true;
  }

  // Only now are all the bytes the columns cover known.
  static void PlaceNullIndicators(Table& table) {
    std::vector<ColumnPlace> places;
    places.reserve(table.columns.size());
    for (const Column& column : table.columns)
      places.push_back({static_cast<uint32_t>(column.offset), static_cast<uint32_t>(column.size),
                        (column.flags & kFieldNullable) != 0});
    const std::vector<int64_t> offsets = NullIndicatorOffsets((table.flags & kTableNullable) != 0, places);
    for (size_t i = 0; i < table.columns.size(); ++i) table.columns[i].nullIndicator = offsets[i];
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
      // A segment takes its column's case unless it says its own.
      bool columnInsensitive = (table.columns[segment.column].flags & kFieldCaseInsensitive) != 0;
      if (segmentDef.caseInsensitive.value_or(columnInsensitive)) segment.flags |= kSegmentCaseInsensitive;
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

  bool StartInsert(const InsertDef& def, InsertTarget* target) {
    size_t tableNumber = 0;
    if (!FindTable(def.table, &tableNumber)) return false;
    const Table& table = database->tables[tableNumber];
    if (!table.hasDataFile) {
      return Fail(def.table.pos, "table " + table.name + " has no data file", error);
    }
    target->table = tableNumber;
    target->statementPos = def.pos;
    target->rowNumber = 0;
    target->numbering = &names[tableNumber].numbering;
    target->columns.clear();
    if (def.columns) {
      std::unordered_set<size_t> listed;
      for (const TextClause& name : *def.columns) {
        size_t column = 0;
        if (!FindColumn(tableNumber, name, &column)) return false;
        if (!listed.insert(column).second) {
          return Fail(name.pos, "column " + name.text + " listed twice", error);
        }
        target->columns.push_back(column);
      }
    } else {
      for (size_t i = 0; i < table.columns.size(); ++i) target->columns.push_back(i);
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
    return Fail({}, "an INSERT is built row by row", error);
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

ModelBuilder::ModelBuilder(Database* database) : builder_(new Builder{database, nullptr, {}, {}, {}, {}}) {}

ModelBuilder::~ModelBuilder() = default;

bool ModelBuilder::Add(const Statement& statement, DescriptionError* error) {
  builder_->error = error;
  return builder_->Add(statement);
}

bool ModelBuilder::StartInsert(const InsertDef& insert, InsertTarget* target, DescriptionError* error) {
  builder_->error = error;
  return builder_->StartInsert(insert, target);
}

}  // namespace mkdict
