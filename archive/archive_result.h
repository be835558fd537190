// Results of every archive operation. They say why something failed, so the
// caller can tell a corrupt file from an unsupported one or from its own bug.
#ifndef QVS_ARCHIVE_ARCHIVE_RESULT_H
#define QVS_ARCHIVE_ARCHIVE_RESULT_H

enum ArchiveResult {
  ARCHIVE_OK = 0,
  ARCHIVE_END,           // no further entry
  ARCHIVE_FORMAT_ERROR,  // not a QLZMA archive (magic)
  ARCHIVE_UNSUPPORTED,   // a version or LZMA properties this code cannot read
  ARCHIVE_DATA_ERROR,    // corrupt: a length out of bounds, a chunk that does not decode
  ARCHIVE_CRC_ERROR,     // the data decoded but its CRC-32 differs from the record's
  ARCHIVE_MEM_ERROR,     // a buffer or coder could not be allocated
  ARCHIVE_READ_ERROR,    // the source could not deliver bytes it claims to hold
  ARCHIVE_WRITE_ERROR,   // the destination refused bytes
  ARCHIVE_STOPPED,       // the caller's sink asked to stop
  ARCHIVE_PROG_ERROR     // misuse: call order or arguments
};

// Short English description, for tools and logs.
const char *ArchiveResultText(ArchiveResult result);

#endif
