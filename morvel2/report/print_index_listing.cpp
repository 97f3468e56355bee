#include <cstdio>
#include <cstring>

#include "morvel2/common/line_text.h"
#include "morvel2/common/text_helpers.h"
#include "report/table_report.h"
#include "run_context.h"

namespace {

constexpr int kLastKeyNumber = 255;

const char* YesOrNo(bool set) { return set ? "Yes" : "No "; }

// The unique value count of the first key entry that belongs to
// this index, or unknown.
uint32_t FindUniqueValues(const StatisticsRecord& statistics, int32_t indexNumber, uint32_t current) {
  if (indexNumber < 0 || indexNumber > kLastKeyNumber) return current;
  for (int entry = 0; entry < kKeySpecificationsRead; ++entry)
    if (StatKeyNumber(statistics, entry) == indexNumber) return StatUniqueValues(statistics, entry);
  return current;
}

// Searches the table's index-name records for this index; leaves the name,
// or an empty text, in the name buffer.
void FindIndexName(RunContext* run, int32_t indexNumber) {
  IndexListingBuffers& buffers = run->indexListing;
  const FieldRecord& record = buffers.indexNameRecord;
  buffers.nameBuffer[0] = '\0';
  const int32_t tableId = run->dictionary.fileRecord.tableId;
  SetNumberKey(buffers.indexNameKey, tableId);
  int status = CallSlotWith(run, kFieldDictionarySlot, RECMGR_OP_GET_GREATER_OR_EQUAL,
                            &buffers.indexNameRecord, buffers.indexNameKey, kFieldKeyTableId);
  while (status == RECMGR_STATUS_SUCCESS && record.tableId == tableId) {
    if (record.typeCode == kTypeIndexName && record.offset == indexNumber) {
      CopyStoredName(buffers.nameBuffer, record.name, kNameWidth);
      return;
    }
    status = CallSlotNext(run, kFieldDictionarySlot);
  }
}

// "%3d    %-5s%-5s" and the unique values ("%12lu " or "  (Unknown)   "),
// then the index name. The first part is written before the name search, so
// a trace of the search follows it as it always has.
void PrintIndexLine(RunContext* run, SegmentEntry& entry, const StatisticsRecord& statistics) {
  LineText line;
  StartLine(&line);
  AddNumber(&line, entry.indexNumber, 3);
  AddText(&line, "    ");
  AddTextLeft(&line, YesOrNo(entry.flags & kSegmentDuplicates), 5);
  AddTextLeft(&line, YesOrNo(entry.flags & kSegmentModifiable), 5);
  entry.uniqueValues = FindUniqueValues(statistics, entry.indexNumber, entry.uniqueValues);
  if (entry.uniqueValues == kUniqueValuesUnknown) {
    AddText(&line, "  (Unknown)   ");
  } else {
    AddUnsigned(&line, entry.uniqueValues, 12);
    AddText(&line, " ");
  }
  PrintLine(line);
  FindIndexName(run, entry.indexNumber);
  StartLine(&line);
  AddText(&line, run->indexListing.nameBuffer);
  AddText(&line, "\n");
  PrintLine(line);
}

const char* CaseText(const SegmentEntry& entry, bool stringSegment) {
  if (!stringSegment) return "n/a";
  if (entry.flags & kSegmentAlternateCollation) return "ACS";
  if (entry.flags & kSegmentCaseInsensitive) return "Ins.";
  return "Sens";
}

// "%6lld   %-5s %-6s%-5s      %s\n": number, case, order, null key, field.
void PrintSegmentLine(char* nameBuffer, const SegmentEntry& entry, bool stringSegment) {
  LineText line;
  StartLine(&line);
  AddNumber(&line, entry.segmentNumber + 1LL, 6);
  AddText(&line, "   ");
  AddTextLeft(&line, CaseText(entry, stringSegment), 5);
  AddText(&line, " ");
  AddTextLeft(&line, (entry.flags & kSegmentDescending) ? "Des" : "Asc", 6);
  AddTextLeft(&line, YesOrNo(entry.flags & kSegmentNullKey), 5);
  CopyStoredName(nameBuffer, entry.fieldName, kNameWidth);
  AddText(&line, "      ");
  AddText(&line, nameBuffer);
  AddText(&line, "\n");
  PrintLine(line);
}

}  // namespace

void PrintIndexListing(RunContext* run, PrintedTable* table) {
  std::printf("\n");
  if (table->segmentCount == 0) {
    std::printf("No Indexes.\n");
    return;
  }
  std::printf("Index  Dup  Mod Unique Values Index Name\n");
  std::printf("-----  ---  --- ------------- ----------------------------------------\n");
  std::printf("    Seg  Case Order Nulls       Field Name\n");
  std::printf("    ---  ---- ----- -----       ----------------------------------------\n");
  for (int i = 0; i < table->segmentCount; ++i) {
    SegmentEntry& entry = table->segments[i];
    bool stringSegment = false;
    if (entry.segmentNumber >= kStringSegmentMarker) {
      entry.segmentNumber -= kStringSegmentMarker;
      stringSegment = true;
    }
    if (entry.segmentNumber == 0) PrintIndexLine(run, entry, *table->statistics);
    PrintSegmentLine(run->indexListing.nameBuffer, entry, stringSegment);
  }
}
