// Checks that texts fit their controls: every shown control's text,
// measured in the control's font as the control lays it out, stays within
// the control; and the tooltip that gives a shortened text whole.
//
// A font handle is private to the program's process (and under Wine a
// control does not even answer WM_GETFONT from another process), so the
// font is made again here from its description: the interface fonts are
// known by name, the scenario names the controls that do not use the
// normal one.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <vector>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/window_search.h"

namespace {

struct FontDescription {
  const char *name;
  int points;
  int weight;
  bool underline;
};

// The installer's interface fonts, all "MS Sans Serif".
const FontDescription kFonts[] = {
    {"normal", 8, FW_NORMAL, false},
    {"title", 13, FW_BOLD, false},
    {"small", 7, FW_NORMAL, false},
    {"link", 8, FW_NORMAL, true},
};
const char kFace[] = "MS Sans Serif";

// What a control draws beside its text, in pixels at 96 per inch: a little
// less than the program keeps free, so that only a clipped text fails.
const int kMarkRoom = 16;
const int kPushButtonEdges = 8;
const int kFrameCaptionMargins = 16;
const size_t kLongestTooltip = 4096;

struct FontUse {
  HWND control;
  const FontDescription *font;
};

const FontDescription *FontNamed(const std::string &name) {
  for (const FontDescription &font : kFonts)
    if (name == font.name) return &font;
  return NULL;
}

BOOL CALLBACK CollectShown(HWND child, LPARAM data) {
  if (IsWindowVisible(child)) ((std::vector<HWND> *)data)->push_back(child);
  return TRUE;
}

struct Room {
  bool shown = false;
  bool wrapped = false;
  int width = 0;
  int height = 0;
};

Room RoomOf(HWND control, int dpi) {
  Room room;
  RECT client = {0, 0, 0, 0};
  if (!GetClientRect(control, &client)) return room;
  std::string kind = ReadClassName(control);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  int edges = 0;
  if (_stricmp(kind.c_str(), "Static") == 0) {
    LONG type = style & SS_TYPEMASK;
    if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) room.wrapped = true;
    else if (type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE) return room;
  } else if (_stricmp(kind.c_str(), "Button") == 0) {
    LONG type = style & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) edges = kPushButtonEdges;
    else if (type == BS_GROUPBOX) edges = kFrameCaptionMargins;
    else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
             type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE)
      edges = kMarkRoom;
    else return room;
    room.wrapped = (style & BS_MULTILINE) != 0;
  } else {
    return room;
  }
  room.shown = true;
  room.width = client.right - MulDiv(edges, dpi, 96);
  room.height = client.bottom;
  return room;
}

// The size the text takes in the font, laid out as the room lays it out.
SIZE Measure(const std::string &text, const FontDescription *font, int dpi, const Room &room,
             bool noPrefix) {
  SIZE size = {0, 0};
  HDC dc = CreateCompatibleDC(NULL);
  if (dc == NULL) return size;
  HFONT made = NULL;
  {
    LOGFONTA description;
    ZeroMemory(&description, sizeof description);
    description.lfHeight = -MulDiv(font->points, dpi, 72);
    description.lfWeight = font->weight;
    description.lfUnderline = font->underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    // As the program makes them: proof quality picks the nearest size of a
    // raster font instead of scaling it, which changes the measures.
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = PROOF_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(description.lfFaceName, kFace, LF_FACESIZE);
    made = CreateFontIndirectA(&description);
  }
  HGDIOBJ previous = SelectObject(dc, made != NULL ? (HGDIOBJ)made : GetStockObject(DEFAULT_GUI_FONT));
  RECT rect = {0, 0, room.width, 0x4000};
  UINT format = DT_CALCRECT | DT_EXPANDTABS | (room.wrapped ? DT_WORDBREAK : DT_SINGLELINE);
  if (noPrefix) format |= DT_NOPREFIX;
  DrawTextA(dc, text.c_str(), (int)text.size(), &rect, format);
  size.cx = rect.right - rect.left;
  size.cy = rect.bottom - rect.top;
  SelectObject(dc, previous);
  if (made != NULL) DeleteObject(made);
  DeleteDC(dc);
  return size;
}

struct TooltipSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltips(HWND window, LPARAM data) {
  TooltipSearch *search = (TooltipSearch *)data;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && _stricmp(ReadClassName(window).c_str(), TOOLTIPS_CLASSA) == 0)
    search->found.push_back(window);
  return TRUE;
}

// The text of the tool (parent of `control`, `control`) of the tooltip
// window, read through memory in the program's process; false when the
// tooltip has no such tool.
bool ReadToolText(HWND tooltips, HWND control, std::string *text) {
  DWORD pid = 0;
  GetWindowThreadProcessId(tooltips, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process == NULL) return false;
  const SIZE_T size = sizeof(TTTOOLINFOA) + kLongestTooltip;
  char *remote = (char *)VirtualAllocEx(process, NULL, size, MEM_COMMIT | MEM_RESERVE,
                                        PAGE_READWRITE);
  bool found = false;
  if (remote != NULL) {
    std::vector<char> local(size, 0);
    TTTOOLINFOA tool;
    ZeroMemory(&tool, sizeof tool);
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(control);
    tool.uId = (UINT_PTR)control;
    tool.lpszText = remote + sizeof tool;
    memcpy(local.data(), &tool, sizeof tool);
    SIZE_T moved = 0;
    DWORD_PTR answer = 0;
    if (WriteProcessMemory(process, remote, local.data(), size, &moved) && moved == size &&
        SendMessageTimeoutA(tooltips, TTM_GETTEXTA, kLongestTooltip, (LPARAM)remote,
                            SMTO_ABORTIFHUNG, 3000, &answer) != 0 &&
        ReadProcessMemory(process, remote, local.data(), size, &moved) && moved == size) {
      local[size - 1] = '\0';
      *text = local.data() + sizeof tool;
      found = !text->empty();
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return found;
}

}  // namespace

bool CmdExpectTextsFit(DriverState *state, const Words &args, std::string *message) {
  if (state->window == NULL || !IsWindow(state->window)) {
    *message = "no current window";
    return false;
  }
  std::vector<FontUse> uses;
  for (const std::string &word : args) {
    size_t equals = word.find('=');
    const FontDescription *font = equals == std::string::npos ? NULL : FontNamed(word.substr(equals + 1));
    if (font == NULL) {
      *message = "expected CONTROL=normal|title|small|link, not '" + word + "'";
      return false;
    }
    HWND control = FindControl(state->window, word.substr(0, equals), message);
    if (control == NULL) return false;
    uses.push_back({control, font});
  }
  HDC screen = GetDC(NULL);
  int dpi = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != NULL) ReleaseDC(NULL, screen);
  std::vector<HWND> controls;
  EnumChildWindows(state->window, CollectShown, (LPARAM)&controls);
  std::string failures;
  int checked = 0;
  for (HWND control : controls) {
    // A control inside a hidden page is not shown even when it is visible.
    if (!IsWindowVisible(control)) continue;
    Room room = RoomOf(control, dpi);
    std::string text = ReadWindowText(control);
    if (!room.shown || text.empty()) continue;
    const FontDescription *font = &kFonts[0];
    for (const FontUse &use : uses)
      if (use.control == control) font = use.font;
    bool noPrefix = _stricmp(ReadClassName(control).c_str(), "Static") == 0 &&
                    (GetWindowLongA(control, GWL_STYLE) & SS_NOPREFIX) != 0;
    SIZE needed = Measure(text, font, dpi, room, noPrefix);
    checked++;
    if (needed.cx <= room.width && needed.cy <= room.height) continue;
    char line[160];
    snprintf(line, sizeof line, "; %d (font %s) needs %ldx%ld in %dx%d: \"", GetDlgCtrlID(control),
             font->name, (long)needed.cx, (long)needed.cy, room.width,
             room.height);
    failures += line + text + "\"";
  }
  if (failures.empty()) {
    *message = std::to_string(checked) + " texts fit at " + std::to_string(dpi) + " dpi";
    return true;
  }
  *message = "texts wider or taller than their controls at " + std::to_string(dpi) + " dpi" +
             failures;
  return false;
}

bool CmdExpectTooltip(DriverState *state, const Words &args, std::string *message) {
  HWND control = FindControl(state->window, args[0], message);
  if (control == NULL) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(control, &pid);
  TooltipSearch search = {pid, {}};
  EnumWindows(CollectTooltips, (LPARAM)&search);
  std::string expected = ExpandLineBreaks(args[1]);
  std::string seen;
  for (HWND tooltips : search.found) {
    std::string text;
    if (!ReadToolText(tooltips, control, &text)) continue;
    if (text == expected) return true;
    seen = text;
  }
  *message = seen.empty() ? "control " + args[0] + " has no tooltip"
                          : "control " + args[0] + "'s tooltip is \"" + seen + "\"";
  return false;
}
