#include <cstdio>
#include <cstdlib>
#include <memory>

#include "morvel2/common/text_helpers.h"
#include "morvel2/dictionary/table_collection.h"
#include "morvel2/engine_access/report_error.h"
#include "morvel2/engine_access/report_options.h"
#include "report/table_report.h"

namespace {

// Room for every collectable entry plus one byte, as the arrays are sized.
constexpr size_t kFieldArrayBytes = kMaxFields * sizeof(FieldRecord) + 1;
constexpr size_t kSegmentArrayBytes = kMaxSegments * sizeof(SegmentEntry) + 1;

struct FreeDeleter {
  void operator()(void* block) const { std::free(block); }
};
using HeapBlock = std::unique_ptr<void, FreeDeleter>;

}  // namespace

void FatalError(const char* text) {
  std::fprintf(stderr, "Fatal Error: %s.\n", text);
  std::exit(1);
}

void PrintTableReport(char* name, TableInfo* info, StatisticsRecord* statistics) {
  if (gReportOptions.namesOnly) {
    std::printf("%s\n", name);
    return;
  }
  HeapBlock fields(std::malloc(kFieldArrayBytes));
  if (!fields) FatalError("No Memory1");
  HeapBlock segments(std::malloc(kSegmentArrayBytes));
  if (!segments) FatalError("No Memory2");
  gFieldArray = static_cast<FieldRecord*>(fields.get());
  gSegmentArray = static_cast<SegmentEntry*>(segments.get());

  TrimTrailingSpaces(name);
  CaretsToSpaces(name);
  int lineCounter = 1;
  ReportError("GetFields", GetFields(name, &gFieldCount));
  ReportError("GetIndex", GetIndex(name, &gSegmentCount));

  for (int i = 0; i < gFieldCount; ++i) PrintFieldLine(&lineCounter, name, gFieldArray[i], info, *statistics);
  if (gReportOptions.indexes && lineCounter > 1) PrintIndexListing(*statistics);
  std::printf("\nEnd of Listing.\n\f");

  gFieldArray = nullptr;
  gSegmentArray = nullptr;
  gFieldCount = 0;
  gSegmentCount = 0;
}
