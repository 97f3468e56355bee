// Kept for dictcheck, which takes the report's table limit from here; the
// report's table lookup is its own, in morvel2/dictionary.
#ifndef MORVEL2_DICTIONARY_TABLE_LOOKUP_COMPAT_H
#define MORVEL2_DICTIONARY_TABLE_LOOKUP_COMPAT_H

#include "morvel2/dictionary/report_limits.h"

#endif  // MORVEL2_DICTIONARY_TABLE_LOOKUP_COMPAT_H
