// The buffers of the index listing: the name buffer every printed name goes
// through, and the key and record of the index-name search, which slot 2
// points at after the search.
#ifndef MORVEL2_REPORT_INDEX_LISTING_BUFFERS_H
#define MORVEL2_REPORT_INDEX_LISTING_BUFFERS_H

#include "morvel2/dictionary/dictionary_records.h"
#include "slots/request_slot.h"

struct IndexListingBuffers {
  char nameBuffer[kNameWidth + 1];
  unsigned char indexNameKey[kSlotKeyBufferSize];
  FieldRecord indexNameRecord;
};

#endif  // MORVEL2_REPORT_INDEX_LISTING_BUFFERS_H
