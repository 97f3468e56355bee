// What Stat tells of a record-manager file: its record length and count,
// and its keys with their segments, as the walks and the comparison with
// the dictionary need them.
#ifndef DICTCHECK_FILE_STAT_H
#define DICTCHECK_FILE_STAT_H

#include <cstdint>
#include <vector>

#include "morvel2/engine_access/statistics_record.h"

namespace dictcheck {

struct KeySegmentStat {
  uint16_t position;  // 1-based
  uint16_t length;
  uint16_t flags;  // RECMGR_SEGMENT_*
};

struct KeyStat {
  int number = 0;
  int firstEntry = 0;  // the key entry of its first segment
  bool duplicates = false;
  uint32_t uniqueValues = 0;
  std::vector<KeySegmentStat> segments;
};

struct FileStat {
  uint16_t recordLength = 0;
  uint32_t recordCount = 0;
  int keyCount = 0;           // as Stat gives it
  std::vector<KeyStat> keys;  // in the order of the key entries
};

// Reads the keys by walking the key entries through the "more segments"
// flag; stops at the end of the record.
FileStat ParseFileStat(const StatisticsRecord& statistics);

}  // namespace dictcheck

#endif  // DICTCHECK_FILE_STAT_H
