// The installer is written to "<output>.tmp-XXXXXX" in the output's folder
// and renamed over the output only once everything succeeded, so a failed
// or interrupted build never leaves a partial installer behind.
//
// Call order: OutputFileOpen -> writes through `file` -> OutputFileClose
// (optional: the closed file may then be changed, by the signing tool) ->
// OutputFileCommit, or OutputFileDiscard on any failure. Discard is safe
// after Commit and safe to call twice. One output file at a time per
// process (an interrupt removes the temporary file of the open one).
#ifndef QVS_BUILDER_OUTPUT_FILE_H
#define QVS_BUILDER_OUTPUT_FILE_H

#include <string>

#include "builder/os_files.h"

struct OutputFile {
  std::string finalPath;
  std::string tempPath;
  OsFile file;
};

// Why `path` may not receive the installer built from the project folder
// `project`, or empty when it may. An existing output must be a regular
// file: a device, a FIFO, a socket, a folder or a symbolic link there would
// be replaced by the installer (as root, "-o /dev/null" would replace the
// system's). The output may not lie inside the project folder: it would
// replace one of the vendor's files, and the next build would pack the
// installer.
std::string OutputPathProblem(const std::string &path, const std::string &project);

// Creates the temporary file. False with *error when it cannot.
bool OutputFileOpen(OutputFile *output, const std::string &path, std::string *error);
// Syncs, gives the file a new program's permissions and closes it; the
// temporary file stays. False with *error (the file discarded) on failure.
bool OutputFileClose(OutputFile *output, std::string *error);
// Closes (when still open) and renames. On failure the temporary file is
// removed and *error says why. Refuses, as OutputPathProblem does, an
// output that is no longer a regular file when it is replaced.
bool OutputFileCommit(OutputFile *output, std::string *error);
// Closes and removes the temporary file.
void OutputFileDiscard(OutputFile *output);

#endif
