// Random descriptions that mkdict accepts: tables with and without data
// files, every column type, overlapping offsets, flags, indexes (unique,
// descending, case-insensitive, numbered past the data file's keys),
// constraints, owner names that guard every open or only changes, and
// rows; nullable tables with columns holding NULL, FALSE, 0, '' and 0.00.
// The same seed gives the same text.
#ifndef TESTS_DICTDUMP_DESCRIPTION_GENERATOR_H
#define TESTS_DICTDUMP_DESCRIPTION_GENERATOR_H

#include <cstdint>
#include <string>

namespace dictdumptest {

struct GeneratedDescription {
  std::string text;
  std::string masterPassword;  // empty: none
  std::string dataPassword;    // the owner name of every guarded data file
};

GeneratedDescription GenerateDescription(uint32_t seed);

}  // namespace dictdumptest

#endif  // TESTS_DICTDUMP_DESCRIPTION_GENERATOR_H
