#include "morvel2/dictionary/null_indicator.h"

#include <algorithm>
#include <utility>

namespace {

using Span = std::pair<uint64_t, uint64_t>;  // [begin, end) of bytes

// The bytes the columns cover, as sorted spans that neither touch nor
// overlap, so one binary search answers whether a byte is covered.
std::vector<Span> CoveredBytes(std::span<const ColumnPlace> columns) {
  std::vector<Span> spans;
  spans.reserve(columns.size());
  for (const ColumnPlace& column : columns)
    if (column.size != 0) spans.emplace_back(column.offset, uint64_t{column.offset} + column.size);
  std::sort(spans.begin(), spans.end());
  std::vector<Span> merged;
  for (const Span& span : spans) {
    if (!merged.empty() && span.first <= merged.back().second)
      merged.back().second = std::max(merged.back().second, span.second);
    else
      merged.push_back(span);
  }
  return merged;
}

bool IsCovered(const std::vector<Span>& covered, uint64_t byte) {
  auto after = std::upper_bound(covered.begin(), covered.end(), byte,
                                [](uint64_t b, const Span& span) { return b < span.first; });
  return after != covered.begin() && byte < std::prev(after)->second;
}

}  // namespace

std::vector<int64_t> NullIndicatorOffsets(bool nullableTable, std::span<const ColumnPlace> columns) {
  std::vector<int64_t> offsets(columns.size(), kNoNullIndicator);
  if (!nullableTable) return offsets;
  const std::vector<Span> covered = CoveredBytes(columns);
  for (size_t i = 0; i < columns.size(); ++i) {
    const ColumnPlace& column = columns[i];
    if (column.acceptsNulls && column.offset != 0 && !IsCovered(covered, column.offset - 1))
      offsets[i] = int64_t{column.offset} - 1;
  }
  return offsets;
}

bool ReadsAsNull(std::byte indicator, std::span<const std::byte> bytes) {
  return indicator == std::byte{0} &&
         std::all_of(bytes.begin(), bytes.end(), [](std::byte b) { return b == std::byte{0}; });
}
