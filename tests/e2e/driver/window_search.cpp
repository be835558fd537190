#include "tests/e2e/driver/window_search.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const UINT kSendTimeoutMs = 3000;
const LRESULT kMaxTextLength = 1 << 20;

struct TopSearch {
  DWORD pid;
  std::vector<HWND> *found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  TopSearch *search = (TopSearch *)param;
  if (!IsWindowVisible(window)) return TRUE;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search->pid == 0 || owner == search->pid) search->found->push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  ((std::vector<HWND> *)param)->push_back(window);
  return TRUE;
}

std::vector<HWND> ListDescendants(HWND top) {
  std::vector<HWND> all;
  EnumChildWindows(top, CollectChild, (LPARAM)&all);
  return all;
}

std::string WithoutAmpersands(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] == '&' && i + 1 < text.size()) i++;
    out += text[i];
  }
  return out;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result))
    return -1;
  return (LRESULT)result;
}

bool IsComboBox(HWND control) {
  return _stricmp(ReadClassName(control).c_str(), "ComboBox") == 0;
}

bool IsListBox(HWND control) {
  return _stricmp(ReadClassName(control).c_str(), "ListBox") == 0;
}

}  // namespace

std::vector<HWND> ListTopWindows(DWORD pid) {
  std::vector<HWND> found;
  TopSearch search = {pid, &found};
  EnumWindows(CollectTop, (LPARAM)&search);
  return found;
}

std::string ReadClassName(HWND window) {
  char name[256] = {0};
  GetClassNameA(window, name, (int)sizeof name);
  return name;
}

std::string ReadWindowText(HWND window) {
  LRESULT length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return "";
  if (length > kMaxTextLength) length = kMaxTextLength;
  std::vector<char> buffer((size_t)length + 2, 0);
  SendWithTimeout(window, WM_GETTEXT, (WPARAM)buffer.size(), (LPARAM)buffer.data());
  buffer.back() = 0;
  return buffer.data();
}

bool WindowMatches(HWND window, const std::string &pattern) {
  if (pattern.compare(0, 6, "class=") == 0) return ReadClassName(window) == pattern.substr(6);
  if (pattern.compare(0, 6, "title=") == 0) return ReadWindowText(window) == pattern.substr(6);
  return ReadWindowText(window) == pattern;
}

bool ParseNumber(const std::string &text, long *value) {
  if (text.empty()) return false;
  char *end = NULL;
  long parsed = strtol(text.c_str(), &end, 0);
  if (end == NULL || *end != 0) return false;
  *value = parsed;
  return true;
}

HWND FindControl(HWND top, const std::string &spec, std::string *error) {
  if (top == NULL || !IsWindow(top)) {
    *error = "no current window (use wait-window or expect-msgbox first)";
    return NULL;
  }
  if (spec == "window") return top;
  std::vector<HWND> all = ListDescendants(top);
  HWND hiddenMatch = NULL;
  long id = 0;
  if (spec.compare(0, 6, "class=") == 0) {
    std::string name = spec.substr(6);
    long wanted = 1;
    size_t hash = name.find('#');
    if (hash != std::string::npos) {
      if (!ParseNumber(name.substr(hash + 1), &wanted) || wanted < 1) wanted = 1;
      name = name.substr(0, hash);
    }
    long seen = 0;
    for (HWND control : all) {
      if (_stricmp(ReadClassName(control).c_str(), name.c_str()) == 0 && ++seen == wanted)
        return control;
    }
    *error = "no control " + spec;
    return NULL;
  }
  bool byText = spec.compare(0, 5, "text=") == 0;
  if (!byText && !ParseNumber(spec, &id)) {
    *error = "bad control '" + spec + "' (want ID, text=CAPTION, class=NAME or window)";
    return NULL;
  }
  std::string text = byText ? spec.substr(5) : "";
  for (HWND control : all) {
    bool match = false;
    if (byText) {
      std::string caption = ReadWindowText(control);
      match = caption == text || WithoutAmpersands(caption) == text;
    } else {
      match = (GetDlgCtrlID(control) & 0xFFFF) == (id & 0xFFFF);
    }
    if (!match) continue;
    if (IsWindowVisible(control)) return control;
    if (hiddenMatch == NULL) hiddenMatch = control;
  }
  if (hiddenMatch == NULL) *error = "no control " + spec + " in window '" + ReadWindowText(top) + "'";
  return hiddenMatch;
}

bool ReadListItems(HWND control, std::vector<std::string> *items) {
  items->clear();
  bool combo = IsComboBox(control);
  if (!combo && !IsListBox(control)) return false;
  LRESULT count = SendWithTimeout(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && i < 10000; i++) {
    // The wide messages: Wine hands the ANSI item texts of another process
    // back in UTF-16.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, (WPARAM)i, 0,
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
    if ((LRESULT)length < 0 || (LRESULT)length > kMaxTextLength) length = 0;
    std::vector<wchar_t> wide((size_t)length + 2, 0);
    DWORD_PTR ignored = 0;
    if (length > 0)
      SendMessageTimeoutW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, (WPARAM)i, (LPARAM)wide.data(),
                          SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    wide.back() = 0;
    std::vector<char> narrow(wide.size() * 2 + 1, 0);
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow.data(), (int)narrow.size() - 1, NULL, NULL);
    items->push_back(narrow.data());
  }
  return true;
}

int ReadListSelection(HWND control) {
  if (IsComboBox(control)) return (int)SendWithTimeout(control, CB_GETCURSEL, 0, 0);
  if (IsListBox(control)) return (int)SendWithTimeout(control, LB_GETCURSEL, 0, 0);
  return -1;
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info;
  memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(window, NULL);
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return NULL;
  return info.hwndFocus;
}

std::string ExpandLineBreaks(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    if (text.compare(i, 4, "<br>") == 0) {
      out += "\r\n";
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string DescribeControl(HWND control) {
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(control, &rect);
  char line[512];
  snprintf(line, sizeof line, "id=%d class=%s visible=%d enabled=%d rect=%ld,%ld %ldx%ld text=\"",
           GetDlgCtrlID(control) & 0xFFFF, ReadClassName(control).c_str(),
           IsWindowVisible(control) ? 1 : 0, IsWindowEnabled(control) ? 1 : 0, rect.left,
           rect.top, rect.right - rect.left, rect.bottom - rect.top);
  return line + ReadWindowText(control) + "\"";
}
