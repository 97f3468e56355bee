// Login and logout through the compatibility slots
// (morvel2/engine_access/request_slot.h), with program-wide record buffers:
// kept only for dictcheck until it reads through RecmgrFile; goes with them.
#ifndef MORVEL2_DICTIONARY_DICTIONARY_FILES_H
#define MORVEL2_DICTIONARY_DICTIONARY_FILES_H

#include "morvel2/dictionary/dictionary_records.h"

inline namespace dictcheck_compat {

extern char gMasterPassword[kMasterPasswordLength + 1];
extern FileRecord gFileRecordBuffer;
extern FieldRecord gFieldRecordBuffer;

// Opens PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF in slots 1 to 3, each only
// if the one before opened; returns the status of the last open attempted.
int OpenDictionaries();

// Closes slots 1 to 3 whether or not they opened. Always returns 0.
int CloseDictionaries();

}  // namespace dictcheck_compat

#endif  // MORVEL2_DICTIONARY_DICTIONARY_FILES_H
