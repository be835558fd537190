#include "script/language_dialog.h"

#include "platform/files.h"
#include "platform/images.h"
#include "platform/messages.h"
#include "platform/system_info.h"
#include "platform/ui_window.h"
#include "script/language_dialog_ids.h"

namespace {

const int kClientWidth = 286;
const int kClientHeight = 126;

struct DialogState {
  HWND window = NULL;
  HWND list = NULL;
  HWND okButton = NULL;
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus = NULL;
  // The installer's icon shown in the window, destroyed with it.
  IconHandle icon = NULL;
  bool okPressed = false;
  bool cancelPressed = false;
  bool cancelConfirmed = false;
};

DialogState gDialog;

void OnCommand(WPARAM wParam) {
  if (HIWORD(wParam) != BN_CLICKED) return;
  if (LOWORD(wParam) == kLanguageDialogOk) gDialog.okPressed = true;
  if (LOWORD(wParam) == kLanguageDialogCancel) gDialog.cancelPressed = true;
}

// A plain window gives the focus to itself when it is activated again; like
// a dialog, this one hands it back to the control that had it.
void OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focused = FocusedWindow();
    if (focused != NULL && focused != gDialog.window) gDialog.lastFocus = focused;
  } else if (gDialog.lastFocus != NULL) {
    SetKeyboardFocus(gDialog.lastFocus);
  }
}

LRESULT CALLBACK LanguageDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: OnCommand(wParam); return 0;
    case WM_ACTIVATE: OnActivate(wParam); return 0;
    // The close box and Alt+F4 ask as Cancel does.
    case WM_CLOSE: gDialog.cancelPressed = true; return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

LanguageChoice FailToOpen() {
  ShowMessage(NULL, "Error opening window.", "Error", kButtonsOk, kIconError);
  return kLanguageDialogFailed;
}

void BuildControls(HWND window, FontHandle font) {
  HFONT controlFont = (HFONT)font;
  std::string ownPath;
  HWND icon = CreateControl(window, kControlIconImage, "", 20, 15, 35, 35, kLanguageDialogIcon, NULL);
  if (GetOwnExecutablePath(&ownPath)) gDialog.icon = ExtractFirstIcon(ownPath);
  SetIconImage(icon, (HICON)gDialog.icon);
  CreateControl(window, kControlLabel, "Please select a language:", 70, 20, 205, 30,
                kLanguageDialogPrompt, controlFont);
  gDialog.list = CreateControl(window, kControlDropDownList, "", 65, 60, 210, 20,
                               kLanguageDialogList, controlFont);
  gDialog.okButton = CreateControl(window, kControlDefaultButton, "OK", 112, 95, 75, 23,
                                   kLanguageDialogOk, controlFont);
  CreateControl(window, kControlButton, "Cancel", 200, 95, 75, 23, kLanguageDialogCancel,
                controlFont);
}

void FillList(const std::vector<LanguageFile> &languages) {
  std::vector<size_t> entries = LanguageListEntries(languages);
  for (size_t index : entries) AddListEntry(gDialog.list, languages[index].name);
  int preselected = PreselectLanguage(languages, entries, UserDefaultLangId());
  if (preselected >= 0) SelectListEntry(gDialog.list, preselected);
}

// Enter works like Space on the focused control; on the list it goes to OK.
void OnEnterDown() {
  if (FocusedWindow() == gDialog.list) SetKeyboardFocus(gDialog.okButton);
  SendSpaceKey(FocusedWindow(), true);
}

void OnEnterUp() {
  HWND focused = FocusedWindow();
  SendSpaceKey(focused, false);
  if (IsButtonControl(focused)) PostLeftClick(focused);
}

void ConfirmCancel() {
  MessageAnswer answer = ShowMessage(
      gDialog.window,
      "Are you sure you want to stop the installation now? Press 'No' to continue or 'Yes' to "
      "end this program. You can run this installer at a later time and continue the "
      "installation procedure.",
      "Please confirm", kButtonsYesNo, kIconQuestion);
  if (answer == kAnswerYes) gDialog.cancelConfirmed = true;
  // Clicks queued while the question was open do not ask again.
  gDialog.cancelPressed = false;
}

}  // namespace

int32_t UserDefaultLangId() {
  std::string digits = ReadUserLanguageDigits();
  return ParseLocaleLangId(digits.c_str(), digits.size());
}

LanguageChoice ChooseLanguage(const std::vector<LanguageFile> &languages, FontHandle font,
                              std::string *chosen) {
  chosen->clear();
  gDialog = DialogState();
  if (!RegisterPlainWindowClass(QVS_LANGUAGE_DIALOG_CLASS, LanguageDialogProcedure))
    return FailToOpen();
  gDialog.window = CreateFixedWindow(QVS_LANGUAGE_DIALOG_CLASS, QVS_LANGUAGE_DIALOG_TITLE,
                                     kClientWidth, kClientHeight);
  if (gDialog.window == NULL) return FailToOpen();
  BuildControls(gDialog.window, font);
  FillList(languages);
  gDialog.lastFocus = gDialog.list;
  SetKeyboardFocus(gDialog.list);
  ShowWindowNow(gDialog.window);

  UiEvent event;
  while (!gDialog.okPressed && !gDialog.cancelConfirmed) {
    UiEventKind kind = WaitForUiEvent(&event);
    if (kind == kUiEventQuit) break;
    if (kind == kUiEventEnterDown) OnEnterDown();
    else if (kind == kUiEventEnterUp) OnEnterUp();
    else if (kind == kUiEventTabDown) MoveFocusToNextTabStop(gDialog.window);
    else if (kind == kUiEventEscapeDown && !IsOpenDropDownList(FocusedWindow()))
      gDialog.cancelPressed = true;
    else DispatchUiEvent(&event);
    if (gDialog.cancelPressed) ConfirmCancel();
  }
  bool cancelled = gDialog.cancelConfirmed;
  if (!cancelled) *chosen = ListEntryText(gDialog.list, SelectedListEntry(gDialog.list));
  DestroyWindowHandle(&gDialog.window);
  DestroyIconHandle(&gDialog.icon);
  return cancelled ? kLanguageCancelled : kLanguageChosen;
}
