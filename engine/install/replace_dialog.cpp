#include "engine/install/replace_dialog.h"

#include "engine/install/remaining_time.h"
#include "engine/state/startup_state.h"
#include "platform/controls.h"
#include "platform/fitted_texts.h"
#include "platform/images.h"
#include "platform/messages.h"
#include "script/language_strings.h"
#include "script/path_rules.h"
#include "script/string_ids.h"

namespace {

const char kReplaceClass[] = "QuorvantisReplaceFile";
const int kClientWidth = 376;
const int kClientHeight = 191;

struct DialogState {
  HWND window = NULL;
  // A file name too long for its line shows shortened, whole in a tooltip.
  FittedTexts texts;
  bool answered = false;
  int answer = kReplaceDialogNo;
};

DialogState gDialog;

// Positions of the window's controls, in client pixels.
struct Placement {
  int id;
  ControlKind kind;
  int x, y, width, height;
};

const Placement kPlacements[] = {
    {kReplaceQuestionIconId, kControlIconImage, 10, 10, 32, 32},
    {kReplaceIntroId, kControlLabel, 50, 10, 320, 35},
    {kReplaceExistingIconId, kControlIconImage, 10, 53, 32, 32},
    {kReplaceExistingLineId, kControlLabel, 50, 55, 315, 30},
    {kReplaceQuestionTextId, kControlLabel, 50, 90, 315, 15},
    {kReplaceNewIconId, kControlIconImage, 10, 108, 32, 32},
    {kReplaceNewLineId, kControlLabel, 50, 110, 315, 30},
    {kReplaceYesId, kControlButton, 5, 145, 180, 20},
    {kReplaceYesToAllId, kControlButton, 5, 165, 180, 20},
    {kReplaceNoId, kControlButton, 190, 145, 180, 20},
    {kReplaceNoToAllId, kControlButton, 190, 165, 180, 20},
};

void Answer(int answer) {
  gDialog.answer = answer;
  gDialog.answered = true;
}

LRESULT CALLBACK ReplaceDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
          case kReplaceYesId: Answer(kReplaceDialogYes); break;
          case kReplaceYesToAllId: Answer(kReplaceDialogYesToAll); break;
          case kReplaceNoId: Answer(kReplaceDialogNo); break;
          case kReplaceNoToAllId: Answer(kReplaceDialogNoToAll); break;
          default: break;
        }
      }
      return 0;
    case WM_CLOSE: Answer(kReplaceDialogNo); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

// "$P, $Q bytes<br>Modified $R" for one of the two files.
std::string FileLine(const std::string &path, int64_t size, int64_t date) {
  std::string line = LangString(kStrReplaceFileLine);
  line = ReplacePlaceholder(line, "$P", "\"" + path.substr(FolderPartOf(path).size()) + "\"");
  line = ReplacePlaceholder(line, "$Q", std::to_string((long long)size));
  return ReplacePlaceholder(line, "$R", FormatLocalDate(date, LangString(kStrDateMask)));
}

std::string TextFor(int id, const std::string &path, int64_t existingSize, int64_t existingDate,
                    int64_t newSize, int64_t newDate) {
  switch (id) {
    case kReplaceIntroId: return LangString(kStrReplaceExisting);
    case kReplaceExistingLineId: return FileLine(path, existingSize, existingDate);
    case kReplaceQuestionTextId: return LangString(kStrReplaceQuestion);
    case kReplaceNewLineId: return FileLine(path, newSize, newDate);
    case kReplaceYesId: return LangString(kStrYes);
    case kReplaceYesToAllId: return LangString(kStrYesToAll);
    case kReplaceNoId: return LangString(kStrNo);
    case kReplaceNoToAllId: return LangString(kStrNoToAll);
    default: return std::string();
  }
}

int FailToOpen() {
  ShowMessage(NULL, LangString(kStrWindowError).c_str(), LangString(kStrErrorCaption).c_str(),
              kButtonsOk, kIconError);
  return kReplaceDialogFailed;
}

}  // namespace

int AskReplaceFile(const std::string &path, int64_t existingSize, int64_t existingDate,
                   int64_t newSize, int64_t newDate, HWND ownerWindow) {
  gDialog = DialogState();
  if (!RegisterPlainWindowClass(kReplaceClass, ReplaceDialogProcedure)) return FailToOpen();
  gDialog.window =
      CreateCentredWindow(0, kReplaceClass, LangString(kStrReplaceCaption).c_str(),
                          WS_POPUP | WS_CAPTION | WS_SYSMENU, kClientWidth, kClientHeight,
                          ownerWindow);
  if (gDialog.window == NULL) return FailToOpen();
  StartFittedTexts(&gDialog.texts, gDialog.window);
  IconHandle fileIcon = FileTypeIcon(path);
  HFONT font = (HFONT)Startup().fontNormal;
  for (const Placement &p : kPlacements) {
    const std::string text =
        TextFor(p.id, path, existingSize, existingDate, newSize, newDate);
    HWND control = CreateControl(gDialog.window, p.kind, text.c_str(), p.x, p.y, p.width,
                                 p.height, p.id, font);
    if (p.kind != kControlIconImage) continue;
    SetIconImage(control, (HICON)(p.id == kReplaceQuestionIconId ? SystemQuestionIcon() : fileIcon));
  }
  FitWindowTexts(&gDialog.texts, gDialog.window);
  SetControlEnabled(ownerWindow, false);
  ShowWindowNow(gDialog.window);
  SetKeyboardFocus(GetDlgItem(gDialog.window, kReplaceYesId));
  UiEvent event;
  while (!gDialog.answered) {
    UiEventKind kind = WaitForUiEvent(&event);
    if (kind == kUiEventQuit) {
      // The quit is for the installation's loop to handle, after this answer.
      PostQuitMessage((int)event.message.wParam);
      break;
    }
    if (!IsDialogMessageA(gDialog.window, &event.message)) DispatchUiEvent(&event);
  }
  SetControlEnabled(ownerWindow, true);
  DestroyWindowHandle(&gDialog.window);
  DestroyIconHandle(&fileIcon);
  return gDialog.answer;
}
