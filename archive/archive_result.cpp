#include "archive/archive_result.h"

const char *ArchiveResultText(ArchiveResult result) {
  switch (result) {
    case ARCHIVE_OK: return "success";
    case ARCHIVE_END: return "no further entry";
    case ARCHIVE_FORMAT_ERROR: return "not a QLZMA archive";
    case ARCHIVE_UNSUPPORTED: return "unsupported archive version or compression settings";
    case ARCHIVE_DATA_ERROR: return "archive data is corrupt";
    case ARCHIVE_CRC_ERROR: return "CRC-32 mismatch";
    case ARCHIVE_MEM_ERROR: return "out of memory";
    case ARCHIVE_READ_ERROR: return "cannot read the archive";
    case ARCHIVE_WRITE_ERROR: return "cannot write the output";
    case ARCHIVE_STOPPED: return "stopped on request";
    case ARCHIVE_PROG_ERROR: return "internal error (call order or arguments)";
  }
  return "unknown result";
}
