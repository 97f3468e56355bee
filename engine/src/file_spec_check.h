// Turning a writer FileSpec into the header it will be written with.
#ifndef RECMGR_SRC_FILE_SPEC_CHECK_H
#define RECMGR_SRC_FILE_SPEC_CHECK_H

#include <cstdint>

#include "file_header.h"
#include "recmgr/status.h"
#include "recmgr/writer.h"

namespace recmgr {

// Checks `spec` and fills the attributes, keys (sorted by key number),
// segments and page shift of *out; the record count and layout stay unset.
// Returns success, or with the reason in words:
//   RECMGR_STATUS_DATA_BUFFER_TOO_SHORT  record length 0
//   RECMGR_STATUS_INVALID_OWNER_NAME     owner name over 255 bytes or holding a NUL
//   RECMGR_STATUS_INVALID_KEY_NUMBER     a key number over 127 or declared twice, a key
//                                        without segments or with more than 255, a
//                                        segment empty or outside the record, an
//                                        integer segment not 1, 2, 4 or 8 bytes, an
//                                        unknown segment type, a key value over 255
//                                        bytes, or more segments than a header holds
Status HeaderFromSpec(const FileSpec& spec, format::FileHeader* out);

}  // namespace recmgr

#endif  // RECMGR_SRC_FILE_SPEC_CHECK_H
