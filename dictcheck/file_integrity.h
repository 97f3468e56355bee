// The integrity of one record-manager file, read through the call entry:
// every page (the engine's Verify, where the record manager offers it), the
// records in stored order against Stat's record count, and every key walked
// from first to last: each record exactly once, in the key's order, values
// repeated only where the key allows duplicates, as many unique values as
// Stat gives.
#ifndef DICTCHECK_FILE_INTEGRITY_H
#define DICTCHECK_FILE_INTEGRITY_H

#include <cstdint>
#include <functional>
#include <string>

#include "file_stat.h"
#include "morvel2/engine_access/recmgr_file.h"
#include "problem_lines.h"

namespace dictcheck {

// Where the file's problems go: lines "<where>: <prefix><what>".
struct FileReport {
  std::string where;   // the table, or the file's name
  std::string prefix;  // "data file t.dat: ", or empty
  ProblemLines& lines;

  void operator()(const std::string& what) const { lines.Report(where, prefix + what); }
};

// Each record of the walk of key `collectKey`, in its order.
using RecordSink = std::function<void(const uint8_t* record, uint32_t length)>;

// Checks the open `file`, which Stat described as `stat`. With a sink, hands
// it the records of key `collectKey`'s walk.
void CheckFileIntegrity(RecmgrFile& file, const FileStat& stat, const FileReport& report, int collectKey = -1,
                        const RecordSink& sink = nullptr);

// <0, 0 or >0 as the key value of record `a` orders before, with or after
// that of record `b` under the key's segments. Bytes a segment names past a
// record's end count as zero.
int CompareByKey(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength, const KeyStat& key);

}  // namespace dictcheck

#endif  // DICTCHECK_FILE_INTEGRITY_H
