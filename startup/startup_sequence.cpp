#include "startup/startup_sequence.h"

#include "checks/os_detection.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "script/document.h"
#include "script/language_data.h"
#include "script/language_dialog.h"
#include "script/language_strings.h"
#include "script/reserved_names.h"
#include "startup/builtin_icons.h"
#include "engine/exits.h"
#include "startup/guards.h"
#include "startup/memory_guard.h"
#include "startup/payload_loader.h"
#include "engine/payload_state.h"
#include "engine/startup_state.h"
#include "wizard/main_flow.h"

namespace {

const char kInterfaceFace[] = "MS Sans Serif";
const int kWeightNormal = 400;
const int kWeightBold = 700;
const uint32_t kWhiteColour = 0xFFFFFF;

void LoadFonts(StartupState *state) {
  state->fontNormal = CreateInterfaceFont(kInterfaceFace, 8, kWeightNormal);
  state->fontTitle = CreateInterfaceFont(kInterfaceFace, 13, kWeightBold);
  state->fontSmall = CreateInterfaceFont(kInterfaceFace, 7, kWeightNormal);
}

// The installation state's lists start empty; this makes that explicit for
// the ones a run might have touched before (none, on a normal start).
void ResetCollections() {
  PayloadState &payload = Payload();
  payload.languages.clear();
  payload.informationTexts.clear();
  payload.licenseTexts.clear();
  payload.componentFiles.clear();
  payload.unfiledProductFiles.clear();
}

void RefuseOldSystems(int osCode) {
  if (osCode >= kOsOldestSupported) return;
  ShowMessage(NULL,
              "We are sorry, this installer was designed for newer operating systems. Please "
              "upgrade your operating system!",
              "Compatibility problem", kButtonsOk, kIconInformation);
  NormalExit();
}

// One language is taken without asking; among several the user chooses.
void ChooseStartupLanguage(StartupState *state) {
  const std::vector<LanguageFile> &languages = Payload().languages;
  if (languages.size() == 1) {
    state->languageName = languages[0].name;
    state->languageId = languages[0].langId;
    return;
  }
  if (ChooseLanguage(languages, state->fontNormal, &state->languageName) != kLanguageChosen)
    CleanExit();
  int chosen = FindLanguageByName(languages, state->languageName);
  if (chosen >= 0) state->languageId = languages[(size_t)chosen].langId;
}

}  // namespace

void RunInstaller() {
  InstallMemoryGuard();
  StartupState &state = Startup();
  LoadFonts(&state);
  ResetCollections();
  LoadPageIcons(&state);
  ResetLanguageStrings();
  state.reservedNames = BuildReservedNames();
  ClearDocument();
  ClearSelection();
  LoadStateIcons(&state);

  state.osCode = DetectOsCode();
  RefuseOldSystems(state.osCode);
  state.isAdministrator = CheckAdministrator();
  state.whiteBrush = CreateSolidColourBrush(kWhiteColour);
  state.hasAdminRightsNT = IsNtFamily(state.osCode) && state.isAdministrator;

  LoadPayload();
  ChooseStartupLanguage(&state);
  if (!state.languageName.empty()) {
    RunMainFlow(state.languageName);
  } else {
    ShowMessage(NULL, "Language file error (no name detected). Installation cannot continue.",
                "Error", kButtonsOk, kIconError);
    // The module is loaded and its temporary file written by now: leave
    // nothing behind in the user's temporary folder.
    CleanExit();
  }
  NormalExit();
}
