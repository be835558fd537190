// Shell links read back the way the shell reads them: through the link
// object.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/file_paths.h"
#include "tests/e2e/driver/window_search.h"

namespace {

struct LinkFields {
  std::string target, arguments, folder, icon;
  int iconIndex = 0;
};

bool ReadLink(const std::string &path, LinkFields *fields, std::string *message) {
  bool read = false;
  HRESULT initialised = CoInitialize(NULL);
  IShellLinkA *link = NULL;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 (void **)&link))) {
    IPersistFile *file = NULL;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
      if (SUCCEEDED(file->Load(wide, STGM_READ))) {
        char text[MAX_PATH * 2] = {0};
        link->GetPath(text, sizeof text, NULL, SLGP_RAWPATH);
        fields->target = text;
        link->GetArguments(text, sizeof text);
        fields->arguments = text;
        link->GetWorkingDirectory(text, sizeof text);
        fields->folder = text;
        link->GetIconLocation(text, sizeof text, &fields->iconIndex);
        fields->icon = text;
        read = true;
      } else {
        *message = "cannot load the link " + path;
      }
      file->Release();
    }
    link->Release();
  } else {
    *message = "no shell link object";
  }
  if (SUCCEEDED(initialised)) CoUninitialize();
  return read;
}

bool Same(const char *what, const std::string &found, const std::string &wanted,
          std::string *message) {
  if (wanted == "*" || found == wanted) return true;
  *message = std::string(what) + " '" + found + "', expected '" + wanted + "'";
  return false;
}

}  // namespace

bool CmdExpectLink(DriverState *, const Words &args, std::string *message) {
  LinkFields fields;
  if (!ReadLink(ExpandPath(args[0]), &fields, message)) return false;
  long index = 0;
  if (!ParseNumber(args[5], &index)) {
    *message = "bad icon index";
    return false;
  }
  if (!Same("target", fields.target, args[1], message)) return false;
  if (!Same("arguments", fields.arguments, args[2], message)) return false;
  if (!Same("working folder", fields.folder, args[3], message)) return false;
  if (!Same("icon", fields.icon, args[4], message)) return false;
  if (fields.iconIndex != index) {
    *message = "icon index " + std::to_string(fields.iconIndex) + ", expected " + args[5];
    return false;
  }
  return true;
}
