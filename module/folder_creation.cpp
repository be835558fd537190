#include "module/folder_creation.h"

#include <string.h>
#include <windows.h>

static int FolderExists(const char *path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Where the first folder that can be created begins: after "C:\" or after
// the share of "\\server\share\".
static size_t FirstCreatablePosition(const char *folder) {
  if (folder[0] == '\\' && folder[1] == '\\') {
    const char *server = strchr(folder + 2, '\\');
    const char *share = server != NULL ? strchr(server + 1, '\\') : NULL;
    return share != NULL ? (size_t)(share - folder) + 1 : strlen(folder);
  }
  if (folder[0] != 0 && folder[1] == ':') return folder[2] == '\\' ? 3 : 2;
  return folder[0] == '\\' ? 1 : 0;
}

// Whether the folder that `path` names up to position `end` (a "\") exists.
static int PrefixExists(char *path, size_t end) {
  path[end] = 0;
  int exists = FolderExists(path);
  path[end] = '\\';
  return exists;
}

FolderCreationResult CreateMissingFolders(const char *folder, UnpackerFileCallback callback) {
  char path[MAX_PATH];
  size_t length = strlen(folder);
  if (length == 0 || length >= sizeof path) return FOLDERS_FAILED;
  memcpy(path, folder, length + 1);
  // The deepest folder that exists, found from the inside: usually only the
  // last level or two are new, and each test of a level costs a call.
  size_t first = FirstCreatablePosition(path);
  size_t start = first;
  for (size_t i = length; i > first; i--) {
    if (path[i - 1] != '\\') continue;
    if (PrefixExists(path, i - 1)) {
      start = i;
      break;
    }
  }
  for (size_t i = start; i < length; i++) {
    if (path[i] != '\\') continue;
    // Each prefix up to a "\" is one folder; made without the "\".
    path[i] = 0;
    int created = CreateDirectoryA(path, NULL);
    int exists = created || FolderExists(path);  // made by someone else meanwhile
    path[i] = '\\';
    if (!exists) return FOLDERS_FAILED;
    if (created && callback != NULL) {
      char reported = path[i + 1];
      path[i + 1] = 0;
      int answer = callback(path, 0, 0, 0);
      path[i + 1] = reported;
      if (answer == UNPACK_CANCEL) return FOLDERS_STOPPED;
    }
  }
  return FOLDERS_READY;
}
