#include "builder/source_file.h"

SourceIdentity IdentityOf(const FileStatus &status) {
  SourceIdentity identity;
  identity.device = status.device;
  identity.inode = status.fileId;
  identity.size = status.size;
  identity.modifiedSeconds = status.modifiedSeconds;
  identity.modifiedNanoseconds = status.modifiedNanoseconds;
  return identity;
}

OsFile OpenSourceFile(const std::string &path, const SourceIdentity &expected, std::string *error) {
  OsFile file = OpenFileForReading(path);
  if (file == kNoFile) {
    *error = path + ": cannot open: " + LastSystemError();
    return kNoFile;
  }
  FileStatus status;
  if (!StatusOfOpenFile(file, &status) || status.kind != kFileRegular ||
      status.device != expected.device || status.fileId != expected.inode) {
    CloseFile(&file);
    *error = path + ": replaced by another file while building; nothing was written";
    return kNoFile;
  }
  return file;
}

bool SourceFileUnchanged(OsFile file, const std::string &path, const SourceIdentity &expected,
                         std::string *error) {
  FileStatus status;
  if (!StatusOfOpenFile(file, &status)) {
    *error = path + ": cannot read: " + LastSystemError();
    return false;
  }
  SourceIdentity now = IdentityOf(status);
  if (now.size != expected.size || now.modifiedSeconds != expected.modifiedSeconds ||
      now.modifiedNanoseconds != expected.modifiedNanoseconds) {
    *error = path + ": changed while the installer was being built; build again once it is "
                    "no longer written to";
    return false;
  }
  return true;
}

bool ReadSourceFile(const std::string &path, const SourceIdentity &expected, std::string *bytes,
                    std::string *error) {
  OsFile file = OpenSourceFile(path, expected, error);
  if (file == kNoFile) return false;
  bytes->assign((size_t)expected.size, '\0');
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes->size()) {
    size_t got = 0;
    if (!ReadFromFile(file, &(*bytes)[done], bytes->size() - done, &got) || got == 0) {
      *error = path + ": cannot read, or the file shrank while building";
      ok = false;
    } else {
      done += got;
    }
  }
  if (ok) ok = SourceFileUnchanged(file, path, expected, error);
  CloseFile(&file);
  return ok;
}
