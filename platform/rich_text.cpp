#include "platform/rich_text.h"

#include <richedit.h>

#include <string.h>

#include <vector>

#include "platform/libraries.h"
#include "platform/ui_window.h"

namespace {

const char kRichTextPrefix[] = "{\\rtf";
const LONG kLongestLink = 2047;

// The stream-in source: a text and how far it has been read.
struct TextCursor {
  const std::string *text;
  size_t offset;
};

DWORD CALLBACK ReadTextChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG *copied) {
  TextCursor *cursor = (TextCursor *)cookie;
  size_t remaining = cursor->text->size() - cursor->offset;
  size_t count = size > 0 ? (size_t)size : 0;
  if (count > remaining) count = remaining;
  if (count > 0) memcpy(buffer, cursor->text->data() + cursor->offset, count);
  cursor->offset += count;
  *copied = (LONG)count;
  return 0;
}

}  // namespace

bool LoadRichEditLibrary() {
  static LibraryHandle library = NULL;
  if (library == NULL) library = LoadSystemLibrary("riched20.dll");
  return library != NULL;
}

HWND CreateRichTextControl(HWND parent, int x, int y, int width, int height, int id, HFONT font) {
  DWORD style = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
  HWND control = CreateChildControl(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "", style, x, y, width,
                                    height, parent, id, font);
  if (control == NULL) return NULL;
  // The text mode can only change while the control is empty.
  SendMessageA(control, EM_SETTEXTMODE, TM_RICHTEXT, 0);
  SendMessageA(control, EM_SETTARGETDEVICE, 0, 0);
  SendMessageA(control, EM_AUTOURLDETECT, TRUE, 0);
  SendMessageA(control, EM_SETEVENTMASK, 0, ENM_LINK);
  return control;
}

void SetRichTextContent(HWND control, const std::string &text) {
  if (control == NULL) return;
  bool rich = text.compare(0, sizeof kRichTextPrefix - 1, kRichTextPrefix) == 0;
  TextCursor cursor = {&text, 0};
  EDITSTREAM stream;
  ZeroMemory(&stream, sizeof stream);
  stream.dwCookie = (DWORD_PTR)&cursor;
  stream.pfnCallback = ReadTextChunk;
  SendMessageA(control, EM_STREAMIN, rich ? SF_RTF : SF_TEXT, (LPARAM)&stream);
}

void SetRichTextBackground(HWND control, COLORREF colour) {
  if (control != NULL) SendMessageA(control, EM_SETBKGNDCOLOR, 0, (LPARAM)colour);
}

COLORREF ButtonFaceColour() { return GetSysColor(COLOR_BTNFACE); }

bool ReadClickedLink(const NMHDR *header, std::string *address) {
  if (header == NULL || header->code != EN_LINK) return false;
  const ENLINK *link = (const ENLINK *)header;
  // A move over the link with a button held is not a click.
  if (link->wParam == 0 || link->msg == WM_MOUSEMOVE || link->msg == WM_SETCURSOR) return false;
  CHARRANGE range = link->chrg;
  LONG length = range.cpMax - range.cpMin;
  if (range.cpMin < 0 || length <= 0 || length > kLongestLink) return false;
  HWND control = header->hwndFrom;
  SendMessageA(control, EM_EXSETSEL, 0, (LPARAM)&range);
  // Read into a buffer sized to the link rather than a fixed one, so that a
  // long address in a document cannot overrun it.
  std::vector<char> buffer((size_t)length + 1, '\0');
  TEXTRANGEA request;
  request.chrg = range;
  request.lpstrText = buffer.data();
  LRESULT copied = SendMessageA(control, EM_GETTEXTRANGE, 0, (LPARAM)&request);
  if (copied <= 0 || copied > length) return false;
  address->assign(buffer.data(), (size_t)copied);
  return true;
}
