// Interface between the installer stub and the unpacker module, the DLL that
// the installer carries in its configuration block and that alone reads the
// payload archive. Shared by both sides.
//
// Calling convention: every export and both callbacks are __stdcall (WINAPI).
// On i686 the exports carry no "@N" decoration, so the stub binds them by the
// plain names below with GetProcAddress.
//
// Call order: signature; GetUncompressedSize; Read; FileInfo_Alloc;
// FindFirst; per entry FileInfo, FileInfo_GetFilename,
// FileInfo_GetUncompressedSize, ExtractMem or Extract, FindNext; Close.
// One archive is open at a time; the module is not reentrant, and callbacks
// run on the thread that called Extract.
//
// Choices this module makes where the callers leave room:
// - GetUncompressedSize returns -1 only when the installer verifiably carries
//   no payload (nothing after the configuration block, or an archive without
//   entries). A file it cannot read or a damaged archive gives 0, and Read
//   then fails, so the user is told the installer is corrupt, not empty.
// - Extract writes a destination that does not exist yet directly and
//   deletes it again after a failure or a stop; an existing destination (as
//   found after the replace callback answered, which may have moved it aside)
//   is written to a temporary file in the same folder that replaces it only
//   once the CRC matched. Either way, after any failure (and after a stop)
//   the destination is as it was and no partial file remains. The file gets
//   the entry's modification time and attributes.
// - From the first Extract on, worker threads of the module decode the
//   following chunks, within the current entry and into the next ones, while
//   the caller writes (at most a few MiB in flight). The callbacks still run
//   on the thread that called Extract, after each chunk written. A stop or a
//   failure, Close and a new Read end the workers; the next Extract starts
//   them again. They hold a reference to the module, so a FreeLibrary while
//   they run cannot pull their code away.
// - GetEntryCount returns -1 when no archive is open.
//
// Two exports beyond the original eighteen read the installer through a file
// handle the stub holds instead of opening it by path: the stub keeps its
// own file open for the whole run, denying others to write, delete or
// rename it, and prefers these when the module has them. The handle must
// be open for reading and stay open until Close (or, for the size, until
// the call returns); the module reads it only at positions it names, from
// any of its threads, and never closes it. Their results are those of
// Archive_GetUncompressedSize and Archive_Read.
#ifndef QVS_MODULE_UNPACKER_API_H
#define QVS_MODULE_UNPACKER_API_H

#include <stdint.h>

#if defined(_WIN32)
#define QVS_CALL __stdcall
#else
#define QVS_CALL
#endif

#define QVS_PLUGIN_SIGNATURE "QVS_PLUGIN_5.0"

// Results of Quorvantis_Archive_Extract.
enum UnpackerExtractResult {
  UNPACK_DONE = 1,
  UNPACK_DECOMPRESSION_ERROR = -1,
  UNPACK_STOPPED = -2,
  UNPACK_OUT_OF_MEMORY = -3,
  UNPACK_CANNOT_WRITE = -4,
  UNPACK_INTERNAL_ERROR = -6,
  UNPACK_CRC_MISMATCH = -7
};

// Answers of the two callbacks.
enum UnpackerCallbackAnswer {
  UNPACK_CONTINUE = 1,    // file callback: go on; replace callback: overwrite
  UNPACK_CANCEL = -2,     // file callback: stop; replace callback: keep the existing file
  UNPACK_NO_SUCH_FILE = 0 // replace callback: the path does not exist
};

// File callback: path being written, the file's size, bytes written since the
// last call, bytes of the file written so far. Called at least once per chunk
// written and once for an empty file.
typedef int(QVS_CALL *UnpackerFileCallback)(const char *path, int64_t fileSize,
                                             int64_t bytesJustWritten, int64_t fileBytesWritten);
// Replace callback: called when the destination exists, with its path, the
// entry's size and the entry's modification time (seconds since 1970, local).
typedef int(QVS_CALL *UnpackerReplaceCallback)(const char *path, int64_t entrySize,
                                                int32_t entryTime);

// An entry-information record; opaque to the stub.
typedef void *UnpackerFileInfo;

typedef const char *(QVS_CALL *Fn_GetPluginSignature)(void);
typedef int(QVS_CALL *Fn_SetFileCallback)(UnpackerFileCallback callback);
typedef int(QVS_CALL *Fn_SetReplaceCallback)(UnpackerReplaceCallback callback);
typedef int64_t(QVS_CALL *Fn_Archive_GetUncompressedSize)(const char *installerPath);
typedef int(QVS_CALL *Fn_Archive_Read)(const char *installerPath);
typedef int(QVS_CALL *Fn_Archive_Close)(void);
typedef int(QVS_CALL *Fn_Archive_FindFirst)(void);
typedef int(QVS_CALL *Fn_Archive_FindNext)(void);
typedef UnpackerFileInfo(QVS_CALL *Fn_Archive_FileInfo_Alloc)(void);
typedef int(QVS_CALL *Fn_Archive_FileInfo_Free)(UnpackerFileInfo info);
typedef int(QVS_CALL *Fn_Archive_FileInfo)(UnpackerFileInfo info);
typedef const char *(QVS_CALL *Fn_Archive_FileInfo_GetFilename)(UnpackerFileInfo info);
typedef int64_t(QVS_CALL *Fn_Archive_FileInfo_GetUncompressedSize)(UnpackerFileInfo info);
typedef int64_t(QVS_CALL *Fn_Archive_FileInfo_GetCompressedSize)(UnpackerFileInfo info);
typedef int(QVS_CALL *Fn_Archive_FileInfo_IsEncrypted)(UnpackerFileInfo info);
typedef int64_t(QVS_CALL *Fn_Archive_GetEntryCount)(void);
typedef int(QVS_CALL *Fn_Archive_ExtractMem)(void *buffer, int32_t size);
typedef int(QVS_CALL *Fn_Archive_Extract)(const char *destinationFolder, int32_t reserved);
typedef int64_t(QVS_CALL *Fn_Archive_GetUncompressedSizeFromHandle)(void *installerFile);
typedef int(QVS_CALL *Fn_Archive_ReadFromHandle)(void *installerFile);

// The 18 exports, in the order the stub binds them.
#define QVS_UNPACKER_EXPORTS(X)                      \
  X(GetPluginSignature, "Quorvantis_GetPluginSignature") \
  X(SetFileCallback, "Quorvantis_SetFileCallback")       \
  X(SetReplaceCallback, "Quorvantis_SetReplaceCallback") \
  X(Archive_GetUncompressedSize, "Quorvantis_Archive_GetUncompressedSize") \
  X(Archive_Read, "Quorvantis_Archive_Read")             \
  X(Archive_Close, "Quorvantis_Archive_Close")           \
  X(Archive_FindFirst, "Quorvantis_Archive_FindFirst")   \
  X(Archive_FindNext, "Quorvantis_Archive_FindNext")     \
  X(Archive_FileInfo_Alloc, "Quorvantis_Archive_FileInfo_Alloc") \
  X(Archive_FileInfo_Free, "Quorvantis_Archive_FileInfo_Free")   \
  X(Archive_FileInfo, "Quorvantis_Archive_FileInfo")     \
  X(Archive_FileInfo_GetFilename, "Quorvantis_Archive_FileInfo_GetFilename") \
  X(Archive_FileInfo_GetUncompressedSize, "Quorvantis_Archive_FileInfo_GetUncompressedSize") \
  X(Archive_FileInfo_GetCompressedSize, "Quorvantis_Archive_FileInfo_GetCompressedSize") \
  X(Archive_FileInfo_IsEncrypted, "Quorvantis_Archive_FileInfo_IsEncrypted") \
  X(Archive_GetEntryCount, "Quorvantis_Archive_GetEntryCount") \
  X(Archive_ExtractMem, "Quorvantis_Archive_ExtractMem") \
  X(Archive_Extract, "Quorvantis_Archive_Extract")

#define QVS_UNPACKER_EXPORT_COUNT 18

// The exports the stub binds when present (see above).
#define QVS_UNPACKER_HANDLE_EXPORTS(X) \
  X(Archive_GetUncompressedSizeFromHandle, "Quorvantis_Archive_GetUncompressedSizeFromHandle") \
  X(Archive_ReadFromHandle, "Quorvantis_Archive_ReadFromHandle")

#endif
