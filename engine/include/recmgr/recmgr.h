/*
 * The record manager's call entry: the one contract between the report tool
 * and any engine that serves it. Every engine shipped as librecmgr.so exports
 * RecmgrCall with C linkage; the tool loads it at run time and uses nothing
 * else from it.
 */
#ifndef RECMGR_RECMGR_H
#define RECMGR_RECMGR_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define RECMGR_EXPORT __attribute__((visibility("default")))
#else
#define RECMGR_EXPORT
#endif

/* Name of the shared library and of the exported entry. */
#define RECMGR_LIBRARY_NAME "librecmgr.so"
#define RECMGR_ENTRY_NAME "RecmgrCall"

/* Bytes the caller reserves for a position block; the engine owns them
 * between a successful Open and the matching Close. */
#define RECMGR_POSITION_BLOCK_SIZE 128

/* Every file of this record manager holds these 8 bytes at this offset
 * (after the header page's page header). */
#define RECMGR_FILE_MAGIC "RMGRFILE"
#define RECMGR_FILE_MAGIC_OFFSET 16

/* Operation codes. */
enum {
  RECMGR_OP_OPEN = 0,
  RECMGR_OP_CLOSE = 1,
  RECMGR_OP_GET_EQUAL = 5,
  RECMGR_OP_GET_NEXT = 6,
  RECMGR_OP_GET_GREATER_OR_EQUAL = 9,
  RECMGR_OP_GET_FIRST = 12,
  RECMGR_OP_STAT = 15,
  RECMGR_OP_STEP_NEXT = 24,
  RECMGR_OP_STEP_FIRST = 33,
  /* An extension of this engine, which another record manager may not offer
   * (it then answers RECMGR_STATUS_INVALID_OPERATION): see Verify below. */
  RECMGR_OP_VERIFY = 70
};

/* Bytes of the physical position Step First and Step Next write. */
#define RECMGR_STEP_POSITION_SIZE 4

/* Status values returned by RecmgrCall. */
enum {
  RECMGR_STATUS_SUCCESS = 0,
  RECMGR_STATUS_INVALID_OPERATION = 1,
  RECMGR_STATUS_IO_ERROR = 2, /* also damage found while reading */
  RECMGR_STATUS_FILE_NOT_OPEN = 3,
  RECMGR_STATUS_KEY_NOT_FOUND = 4,
  RECMGR_STATUS_DUPLICATE_KEY = 5, /* writer only */
  RECMGR_STATUS_INVALID_KEY_NUMBER = 6,
  RECMGR_STATUS_DIFFERENT_KEY_NUMBER = 7,
  RECMGR_STATUS_INVALID_POSITIONING = 8,
  RECMGR_STATUS_END_OF_FILE = 9,
  RECMGR_STATUS_INVALID_FILE_NAME = 11,
  RECMGR_STATUS_FILE_NOT_FOUND = 12,
  RECMGR_STATUS_NOT_LOADED = 20, /* reported by callers, never by an engine */
  RECMGR_STATUS_KEY_BUFFER_TOO_SHORT = 21,
  RECMGR_STATUS_DATA_BUFFER_TOO_SHORT = 22,
  RECMGR_STATUS_NOT_A_RECMGR_FILE = 30,
  RECMGR_STATUS_ACCESS_DENIED = 46,
  RECMGR_STATUS_INVALID_OWNER_NAME = 51
};

/* Layout of the Stat result: one file entry, then one key
 * entry per key segment, all little-endian. */
#define RECMGR_STAT_FILE_SPEC_SIZE 16
#define RECMGR_STAT_KEY_SPEC_SIZE 16

/* File entry offsets. */
#define RECMGR_STAT_RECORD_LENGTH 0 /* 2 bytes */
#define RECMGR_STAT_PAGE_SIZE 2     /* 2 bytes */
#define RECMGR_STAT_KEY_COUNT 4     /* 1 byte */
#define RECMGR_STAT_FILE_VERSION 5  /* 1 byte */
#define RECMGR_STAT_RECORD_COUNT 6  /* 4 bytes */
#define RECMGR_STAT_FILE_FLAGS 10   /* 2 bytes */
#define RECMGR_STAT_UNUSED_PAGES 14 /* 2 bytes */

/* Key entry offsets, within one 16-byte entry. */
#define RECMGR_STAT_SEGMENT_POSITION 0 /* 2 bytes, 1-based */
#define RECMGR_STAT_SEGMENT_LENGTH 2   /* 2 bytes */
#define RECMGR_STAT_SEGMENT_FLAGS 4    /* 2 bytes */
#define RECMGR_STAT_UNIQUE_VALUES 6    /* 4 bytes, of the whole key */
#define RECMGR_STAT_KEY_NUMBER 14      /* 1 byte */

/* Key entry flags. */
#define RECMGR_SEGMENT_DUPLICATES 0x0001
#define RECMGR_SEGMENT_MORE_SEGMENTS 0x0010 /* another segment of this key follows */
#define RECMGR_SEGMENT_DESCENDING 0x0040
#define RECMGR_SEGMENT_SIGNED 0x0100
#define RECMGR_SEGMENT_UNSIGNED 0x0200
#define RECMGR_SEGMENT_CASE_INSENSITIVE 0x0400

/* File flags the writer stores and Stat reports. */
#define RECMGR_FILE_VARIABLE_LENGTH 0x0001
#define RECMGR_FILE_RECORD_COMPRESSION 0x0008
#define RECMGR_FILE_PAGE_COMPRESSION 0x2000

/*
 * The call entry.
 *   Open:  keyBuffer holds the path, NUL-terminated within keyLength bytes;
 *          dataBuffer starts with the owner name, NUL-terminated (empty or
 *          a null dataBuffer offers none); keyNumber is the open mode (0).
 *   Close: ends the position; only positionBlock is read.
 *   Get Equal, Get Greater or Equal: keyBuffer holds the key value to find,
 *          keyNumber names the key. Get First: keyNumber names the key.
 *          Get Next: continues in the key order the position block holds.
 *          Every Get copies the record into dataBuffer, sets *dataLength to
 *          the record length and writes the record's key value into
 *          keyBuffer.
 *   Step First, Step Next: the first record, then the one after the
 *          current one, in stored order, whatever the file's keys (also
 *          with none): from Step First to status 9 every record comes
 *          exactly once. keyNumber is ignored. Each copies the record into
 *          dataBuffer and sets *dataLength like a Get; when keyBuffer is
 *          not null and keyLength is at least RECMGR_STEP_POSITION_SIZE, it
 *          writes the record's physical position there (4 bytes,
 *          little-endian), which rises strictly from one Step to the next.
 *          Step Next needs a current record reached by a Step (status 8
 *          otherwise), and a Get Next after a Step gets 8. A failed Step
 *          First leaves no current record; a failed Step Next keeps it.
 *   Stat:  fills dataBuffer with the layout above and sets *dataLength to
 *          the bytes filled; may write the path, NUL-terminated, into
 *          keyBuffer.
 *   Verify (extension): reads every page of the open file, unused bytes
 *          included, and checks each page's checksum and structure and
 *          every key's entries: sorted in key order, each record exactly
 *          once, each stored key value equal to the one taken from its
 *          record, repeated values only where the key allows duplicates.
 *          Success with *dataLength set to 0 when all is sound; else status
 *          2 with the first problem found as NUL-terminated text at the
 *          start of dataBuffer (at most *dataLength bytes; *dataLength is
 *          set to the bytes written). The position is kept.
 */
RECMGR_EXPORT int16_t RecmgrCall(uint16_t operation, void *positionBlock, void *dataBuffer,
                                 uint32_t *dataLength, void *keyBuffer, uint8_t keyLength, int8_t keyNumber);

typedef int16_t (*RecmgrCallFunction)(uint16_t operation, void *positionBlock, void *dataBuffer,
                                      uint32_t *dataLength, void *keyBuffer, uint8_t keyLength,
                                      int8_t keyNumber);

#ifdef __cplusplus
}
#endif

#endif /* RECMGR_RECMGR_H */
