// An unpacker module of another version: every export the installer binds,
// but a signature it must refuse. No export does any work, so an installer
// that went on past the signature check would find an empty payload.
#include <stdint.h>

#define FOREIGN_EXPORT extern "C" __declspec(dllexport)

FOREIGN_EXPORT const char *Quorvantis_GetPluginSignature(void) { return "QVS_PLUGIN_4.9"; }
FOREIGN_EXPORT int Quorvantis_SetFileCallback(void *) { return 0; }
FOREIGN_EXPORT int Quorvantis_SetReplaceCallback(void *) { return 0; }
FOREIGN_EXPORT int64_t Quorvantis_Archive_GetUncompressedSize(const char *) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_Read(const char *) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_Close(void) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_FindFirst(void) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_FindNext(void) { return 0; }
FOREIGN_EXPORT void *Quorvantis_Archive_FileInfo_Alloc(void) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_FileInfo_Free(void *) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_FileInfo(void *) { return 0; }
FOREIGN_EXPORT const char *Quorvantis_Archive_FileInfo_GetFilename(void *) { return ""; }
FOREIGN_EXPORT int64_t Quorvantis_Archive_FileInfo_GetUncompressedSize(void *) { return 0; }
FOREIGN_EXPORT int64_t Quorvantis_Archive_FileInfo_GetCompressedSize(void *) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_FileInfo_IsEncrypted(void *) { return 0; }
FOREIGN_EXPORT int64_t Quorvantis_Archive_GetEntryCount(void) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_ExtractMem(void *, int32_t) { return 0; }
FOREIGN_EXPORT int Quorvantis_Archive_Extract(const char *, int32_t) { return 0; }
