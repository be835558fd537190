#include "builder/output_file.h"

#include "builder/os_system.h"

namespace {

// Something other than a regular file at `path`, which renaming the
// installer over it would destroy.
bool IsNonRegular(const std::string &path) {
  FileStatus status;
  return StatusOfPath(path, false, &status) && status.kind != kFileRegular;
}

}  // namespace

std::string OutputPathProblem(const std::string &path, const std::string &project) {
  if (IsNonRegular(path))
    return path + ": exists and is not a regular file (a device, pipe, folder or link); "
                  "refusing to replace it";
  std::string realFolder = ResolvedPath(FolderOfPath(path));
  std::string realProject = ResolvedPath(project);
  if (realFolder.empty() || realProject.empty()) return std::string();  // reported later
  if (PathIsWithin(realFolder, realProject))
    return path + ": inside the project folder; the installer would replace a project file and "
                  "be packed by the next build, so write it elsewhere";
  return std::string();
}

bool OutputFileOpen(OutputFile *output, const std::string &path, std::string *error) {
  output->finalPath = path;
  output->tempPath.clear();
  output->file = CreateUniqueFile(path + ".tmp-", &output->tempPath);
  if (output->file == kNoFile) {
    *error = path + ": cannot create a file in its folder: " + LastSystemError();
    output->tempPath.clear();
    return false;
  }
  RemoveOnInterrupt(kInterruptOutput, output->tempPath);
  return true;
}

bool OutputFileClose(OutputFile *output, std::string *error) {
  if (output->file == kNoFile) return true;
  bool ok = SyncFile(output->file);
  // The temporary file is private; give it what a new program gets.
  if (ok) ok = ApplyNewFileMode(output->file, kNewFileProgram);
  if (!ok) *error = output->finalPath + ": cannot write: " + LastSystemError();
  if (!CloseFile(&output->file) && ok) {
    *error = output->finalPath + ": cannot write: " + LastSystemError();
    ok = false;
  }
  if (!ok) OutputFileDiscard(output);
  return ok;
}

bool OutputFileCommit(OutputFile *output, std::string *error) {
  bool ok = OutputFileClose(output, error);
  if (ok && IsNonRegular(output->finalPath)) {
    *error = output->finalPath + ": is no longer a regular file; refusing to replace it";
    ok = false;
  }
  if (ok && !RenameOver(output->tempPath, output->finalPath)) {
    *error = output->finalPath + ": cannot rename the finished file into place: " + LastSystemError();
    ok = false;
  }
  if (ok) {
    output->tempPath.clear();
    RemoveOnInterrupt(kInterruptOutput, std::string());
  } else {
    OutputFileDiscard(output);
  }
  return ok;
}

void OutputFileDiscard(OutputFile *output) {
  CloseFile(&output->file);
  if (!output->tempPath.empty()) RemoveFile(output->tempPath);
  output->tempPath.clear();
  RemoveOnInterrupt(kInterruptOutput, std::string());
}
