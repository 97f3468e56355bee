#include <cstdio>
#include <cstdlib>
#include <memory>

#include "cli/report_error.h"
#include "morvel2/common/text_helpers.h"
#include "report/table_report.h"
#include "run_context.h"

namespace {

// Room for every collectable entry plus one byte, as the arrays are sized.
constexpr size_t kFieldArrayBytes = kMaxFields * sizeof(FieldRecord) + 1;
constexpr size_t kSegmentArrayBytes = kMaxSegments * sizeof(SegmentEntry) + 1;

struct FreeDeleter {
  void operator()(void* block) const { std::free(block); }
};
using HeapBlock = std::unique_ptr<void, FreeDeleter>;

}  // namespace

void FatalError(RunContext* run, const char* text) {
  PrintFailure(run, "Fatal Error: %s.\n", text);
  std::exit(1);
}

void PrintTableReport(RunContext* run, char* name, TableInfo* info, StatisticsRecord* statistics) {
  if (run->options.namesOnly) {
    std::printf("%s\n", name);
    return;
  }
  HeapBlock fields(std::malloc(kFieldArrayBytes));
  if (!fields) FatalError(run, "No Memory1");
  HeapBlock segments(std::malloc(kSegmentArrayBytes));
  if (!segments) FatalError(run, "No Memory2");
  PrintedTable table{};
  table.name = name;
  table.info = info;
  table.statistics = statistics;
  table.fields = static_cast<FieldRecord*>(fields.get());
  table.segments = static_cast<SegmentEntry*>(segments.get());

  TrimTrailingSpaces(name);
  CaretsToSpaces(name);
  table.lineCounter = 1;
  ReportError(run, "GetFields", GetFields(run, name, table.fields, &table.fieldCount));
  ReportError(run, "GetIndex", GetIndex(run, name, table.segments, &table.segmentCount));

  for (int i = 0; i < table.fieldCount; ++i) PrintFieldLine(run, &table, table.fields[i]);
  if (run->options.indexes && table.lineCounter > 1) PrintIndexListing(run, &table);
  std::printf("\nEnd of Listing.\n\f");
}
