#include "file_stat.h"

namespace dictcheck {

FileStat ParseFileStat(const StatisticsRecord& statistics) {
  FileStat stat;
  stat.recordLength = StatRecordLength(statistics);
  stat.recordCount = StatRecordCount(statistics);
  stat.keyCount = StatIndexCount(statistics);
  constexpr int kRoom = (kStatisticsRecordSize - RECMGR_STAT_FILE_SPEC_SIZE) / RECMGR_STAT_KEY_SPEC_SIZE;
  int entry = 0;
  for (int key = 0; key < stat.keyCount && entry < kRoom; ++key) {
    KeyStat& keyStat = stat.keys.emplace_back();
    keyStat.number = StatKeyNumber(statistics, entry);
    keyStat.firstEntry = entry;
    keyStat.uniqueValues = StatUniqueValues(statistics, entry);
    while (entry < kRoom) {
      const int at = KeySpecificationOffset(entry++);
      const KeySegmentStat segment{ReadStatistic<uint16_t>(statistics, at + RECMGR_STAT_SEGMENT_POSITION),
                                   ReadStatistic<uint16_t>(statistics, at + RECMGR_STAT_SEGMENT_LENGTH),
                                   ReadStatistic<uint16_t>(statistics, at + RECMGR_STAT_SEGMENT_FLAGS)};
      keyStat.segments.push_back(segment);
      if (!(segment.flags & RECMGR_SEGMENT_MORE_SEGMENTS)) break;
    }
    keyStat.duplicates = keyStat.segments.front().flags & RECMGR_SEGMENT_DUPLICATES;
  }
  return stat;
}

}  // namespace dictcheck
