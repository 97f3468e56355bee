// The three dictionary files, open from login to logout, and the
// program-wide record buffers their reads fill.
#ifndef MORVEL2_DICTIONARY_DICTIONARY_FILES_H
#define MORVEL2_DICTIONARY_DICTIONARY_FILES_H

#include "morvel2/dictionary/dictionary_records.h"

// The master password, used as the dictionaries' owner name; the login puts
// the default owner name here when it is empty.
extern char gMasterPassword[kMasterPasswordLength + 1];

// The record of the table most recently read from the file dictionary; its
// table id is the one every later scan for that table uses.
extern FileRecord gFileRecordBuffer;
// Target of the field scan.
extern FieldRecord gFieldRecordBuffer;

// Opens PVFILE.DDF, PVFIELD.DDF and PVINDEX.DDF in slots 1 to 3, each only
// if the one before opened; returns the status of the last open attempted.
int OpenDictionaries();

// Closes slots 1 to 3 whether or not they opened. Always returns 0.
int CloseDictionaries();

#endif  // MORVEL2_DICTIONARY_DICTIONARY_FILES_H
