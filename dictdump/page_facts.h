// What the html and markdown formats show of a dictionary, worded once for
// both: names as the report shows them, a stable name per table for links
// and files, the words of each fact, and the totals of the summary.
#ifndef DICTDUMP_PAGE_FACTS_H
#define DICTDUMP_PAGE_FACTS_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data_file.h"
#include "morvel2/dictionary/schema_reader.h"

namespace dictdump {

// A stored name as the report shows it (carets as spaces), in valid UTF-8.
std::string ShownName(std::string_view stored);
std::string ShownFieldName(const FieldRecord& field);

// One link name per table, in the order given: the name in lower case,
// letters and digits kept and every other run of characters one '-', cut
// at 48 characters. A name whose link name another table shares (which
// names differing only in case do), that was cut or changed, or that is
// empty or a reserved file name (readme, con, nul, com1...) gets '-' and 8
// hex digits of a hash of the stored name at its end. Link names are unique
// without regard to case, and depend only on the table's own name and the
// names that share them.
std::vector<std::string> LinkNames(const std::vector<const TableSchema*>& tables);

// The type name as morvel2 prints it, without its padding.
std::string ReportTypeName(int typeCode);

// The report's Dec/Case column: case for string types, binary or text for
// a BLOB, else the decimal places.
std::string DecimalsOrCase(const FieldRecord& field);

// An index is unique when its first segment allows no duplicates, and
// modifiable when its first segment says so.
bool IndexUnique(const IndexSchema& index);
bool IndexModifiable(const IndexSchema& index);

// The unique-value count the data file's statistics give for the index.
std::optional<uint32_t> UniqueValues(const DataFile& data, int32_t indexNumber);

// A segment's case as the report words it: n/a (not a string field), ACS,
// insensitive or sensitive.
const char* SegmentCase(const TableSchema& table, const IndexRecord& segment);

// Dictionary or Data, as the report's location line says it.
const char* FileKind(const TableSchema& table);
bool TableNullable(const TableSchema& table);
const char* OwnerModeWords(const DataFile& data);
const char* DataFileStateWords(const DataFile& data);

struct Totals {
  uint64_t tables = 0;
  uint64_t fields = 0;
  uint64_t indexes = 0;
  uint64_t rows = 0;   // the statistics' record counts
  uint64_t bytes = 0;  // record count times record length
  void Add(const TableSchema& table, const DataFile& data);
};

// "1,234,567".
std::string Grouped(uint64_t value);

// The command line as a shell reads it back, each argument quoted when it
// needs it.
std::string QuotedCommand(const std::vector<std::string>& arguments);

// Now, or SOURCE_DATE_EPOCH when set (for output that repeats), as
// "2026-12-09 06:10 UTC".
std::string TimeMade();

}  // namespace dictdump

#endif  // DICTDUMP_PAGE_FACTS_H
