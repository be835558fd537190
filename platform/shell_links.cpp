#include "platform/shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace {

// The shell link object and its interfaces, spelt out so that no GUID
// library is linked for three constants.
const CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000,
                               {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kShellLinkAnsi = {0x000214EE, 0x0000, 0x0000,
                            {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kPersistFile = {0x0000010B, 0x0000, 0x0000,
                          {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The link file's path in UTF-16 for IPersistFile::Save; false when it
// cannot be converted.
bool WidePath(const std::string &path, std::vector<wchar_t> *wide) {
  if (path.empty() || path.size() > 0x7FFFFFF) return false;
  const int count = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, NULL, 0);
  if (count <= 0) return false;
  wide->assign((size_t)count, L'\0');
  return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide->data(), count) == count;
}

}  // namespace

ShellLinkResult SaveShellLink(const ShellLinkFields &fields, const std::string &linkFile) {
  // S_FALSE (already initialised) must be balanced too; a thread already in
  // another apartment keeps it and is not uninitialised here.
  const HRESULT initialised = CoInitialize(NULL);
  ShellLinkResult result = kShellLinkNoObject;
  IShellLinkA *link = NULL;
  if (SUCCEEDED(CoCreateInstance(kShellLinkClass, NULL, CLSCTX_INPROC_SERVER, kShellLinkAnsi,
                                 (void **)&link)) &&
      link != NULL) {
    result = kShellLinkNotSaved;
    link->SetPath(fields.target.c_str());
    link->SetArguments(fields.arguments.c_str());
    link->SetWorkingDirectory(fields.workingDirectory.c_str());
    link->SetDescription(fields.description.c_str());
    link->SetShowCmd(fields.showCommand);
    link->SetHotkey(fields.hotkey);
    link->SetIconLocation(fields.iconPath.c_str(), fields.iconIndex);
    IPersistFile *file = NULL;
    std::vector<wchar_t> wide;
    if (WidePath(linkFile, &wide) &&
        SUCCEEDED(link->QueryInterface(kPersistFile, (void **)&file)) && file != NULL) {
      if (SUCCEEDED(file->Save(wide.data(), TRUE))) result = kShellLinkSaved;
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(initialised)) CoUninitialize();
  return result;
}
