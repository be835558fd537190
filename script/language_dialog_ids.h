// Control numbers of the language-selection window, fixed so that tests can
// find each control.
#ifndef QVS_SCRIPT_LANGUAGE_DIALOG_IDS_H
#define QVS_SCRIPT_LANGUAGE_DIALOG_IDS_H

enum LanguageDialogControl {
  kLanguageDialogIcon = 201,    // the installer's icon
  kLanguageDialogPrompt = 202,  // "Please select a language:"
  kLanguageDialogList = 203,    // the drop-down list of languages
  kLanguageDialogOk = 204,      // "OK", the default button
  kLanguageDialogCancel = 205,  // "Cancel"
};

// Window class and title of the language-selection window.
#define QVS_LANGUAGE_DIALOG_CLASS "QuorvantisLanguageSelection"
#define QVS_LANGUAGE_DIALOG_TITLE "Language selection"

#endif
