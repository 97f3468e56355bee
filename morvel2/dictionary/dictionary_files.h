// The three dictionary files, open from login to logout, and the record
// buffers and key buffers their reads use.
#ifndef MORVEL2_REPORT_DICTIONARY_FILES_H
#define MORVEL2_REPORT_DICTIONARY_FILES_H

#include "morvel2/dictionary/dictionary_records.h"
#include "slots/request_slot.h"

// The index record buffer serves only the open of PVINDEX.DDF; it is wide
// enough for the longest owner name and its terminator, which the 20-byte
// record alone is not.
union IndexOpenBuffer {
  IndexRecord record;
  char ownerName[kMasterPasswordLength + 1];
};

// Every buffer a dictionary slot points at. They live as long as the run,
// so the slots' pointers stay valid between calls.
struct DictionaryBuffers {
  // The record of the table most recently read from the file dictionary;
  // its table id is the one every later scan for that table uses.
  FileRecord fileRecord;
  // Target of the field scan.
  FieldRecord fieldRecord;
  IndexOpenBuffer indexRecord;
  // Keys of the lookup by name, the name scan, the field and segment scans
  // and the reads by field id.
  char nameKey[kSlotKeyBufferSize];
  unsigned char tableScanKey[kSlotKeyBufferSize];
  unsigned char fieldScanKey[kSlotKeyBufferSize];
  unsigned char segmentScanKey[kSlotKeyBufferSize];
  unsigned char fieldIdKey[kSlotKeyBufferSize];
  IndexRecord segmentRecord;
  FieldRecord segmentField;
};

struct RunContext;

// Opens PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF in slots 1 to 3 with the
// run's master password (the default owner name when it is empty), each
// only if the one before opened; returns the status of the last open
// attempted.
int OpenDictionaries(RunContext* run);

// Closes slots 1 to 3 whether or not they opened. Always returns 0.
int CloseDictionaries(RunContext* run);

#endif  // MORVEL2_REPORT_DICTIONARY_FILES_H
