// "qvsbuild list", "verify" and "extract": read an installer or a bare
// archive. Each returns the process exit code (0 only when everything
// succeeded) and writes its report to `out`, problems to stderr.
#ifndef QVS_BUILDER_INSPECT_COMMANDS_H
#define QVS_BUILDER_INSPECT_COMMANDS_H

#include <stdio.h>

#include <string>

// Names, sizes, compressed sizes, times and attributes of every entry.
int RunList(const std::string &path, FILE *out);

// Decodes every chunk and checks every CRC, both header totals against the
// sums of the entries, the entry count, entry names that could not be
// extracted safely and, in an installer, the configuration block. Bytes
// after the last entry (an appended signature) are reported as a note.
int RunVerify(const std::string &path, FILE *out);

// Writes every entry, configuration entries included, as a file below
// `folder` ("\" becomes "/", names back to UTF-8). Refuses names that would
// leave the folder and never writes through a symbolic link.
int RunExtract(const std::string &path, const std::string &folder, FILE *out);

#endif
