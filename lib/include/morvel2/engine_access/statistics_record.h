// The buffer a data file's Stat fills: a file entry, then one key
// entry per key segment, all little-endian. Readers go through the
// accessors below, never through raw offsets.
#ifndef MORVEL2_ENGINE_ACCESS_STATISTICS_RECORD_H
#define MORVEL2_ENGINE_ACCESS_STATISTICS_RECORD_H

#include <cstdint>
#include <cstring>

#include "recmgr/recmgr.h"

constexpr int kStatisticsRecordSize = 33236;
// Only this many key entries are searched for unique value counts.
constexpr int kKeySpecificationsRead = 119;
constexpr uint32_t kRecordCountUnavailable = 0xFFFFFFFF;

struct StatisticsRecord {
  unsigned char bytes[kStatisticsRecordSize];
};

template <typename T>
T ReadStatistic(const StatisticsRecord& record, int offset) {
  T value;
  std::memcpy(&value, record.bytes + offset, sizeof value);
  return value;
}

inline uint16_t StatRecordLength(const StatisticsRecord& r) {
  return ReadStatistic<uint16_t>(r, RECMGR_STAT_RECORD_LENGTH);
}
inline uint16_t StatPageSize(const StatisticsRecord& r) {
  return ReadStatistic<uint16_t>(r, RECMGR_STAT_PAGE_SIZE);
}
inline uint8_t StatIndexCount(const StatisticsRecord& r) {
  return ReadStatistic<uint8_t>(r, RECMGR_STAT_KEY_COUNT);
}
inline uint8_t StatFileVersion(const StatisticsRecord& r) {
  return ReadStatistic<uint8_t>(r, RECMGR_STAT_FILE_VERSION);
}
inline uint32_t StatRecordCount(const StatisticsRecord& r) {
  return ReadStatistic<uint32_t>(r, RECMGR_STAT_RECORD_COUNT);
}
inline uint16_t StatFileFlags(const StatisticsRecord& r) {
  return ReadStatistic<uint16_t>(r, RECMGR_STAT_FILE_FLAGS);
}
inline uint16_t StatUnusedPages(const StatisticsRecord& r) {
  return ReadStatistic<uint16_t>(r, RECMGR_STAT_UNUSED_PAGES);
}

inline int KeySpecificationOffset(int entry) {
  return RECMGR_STAT_FILE_SPEC_SIZE + entry * RECMGR_STAT_KEY_SPEC_SIZE;
}
inline uint8_t StatKeyNumber(const StatisticsRecord& r, int entry) {
  return ReadStatistic<uint8_t>(r, KeySpecificationOffset(entry) + RECMGR_STAT_KEY_NUMBER);
}
inline uint32_t StatUniqueValues(const StatisticsRecord& r, int entry) {
  return ReadStatistic<uint32_t>(r, KeySpecificationOffset(entry) + RECMGR_STAT_UNIQUE_VALUES);
}

// Marks the whole record unavailable.
inline void MarkStatisticsUnavailable(StatisticsRecord* r) {
  std::memcpy(r->bytes + RECMGR_STAT_RECORD_COUNT, &kRecordCountUnavailable, sizeof kRecordCountUnavailable);
}

#endif  // MORVEL2_ENGINE_ACCESS_STATISTICS_RECORD_H
