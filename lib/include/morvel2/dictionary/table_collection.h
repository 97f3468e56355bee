// Kept for dictcheck, which takes the report's field and segment limits
// from here; the report's collection is its own, in morvel2/dictionary.
#ifndef MORVEL2_DICTIONARY_TABLE_COLLECTION_COMPAT_H
#define MORVEL2_DICTIONARY_TABLE_COLLECTION_COMPAT_H

#include "morvel2/dictionary/report_limits.h"

#endif  // MORVEL2_DICTIONARY_TABLE_COLLECTION_COMPAT_H
