// The white pages at both ends of the wizard: welcome (page 0) and finish
// (page 10) with its option boxes 303 to 308.
#ifndef QVS_WIZARD_WELCOME_FINISH_PAGES_H
#define QVS_WIZARD_WELCOME_FINISH_PAGES_H

#include <windows.h>

#include "script/script_settings.h"

void BuildWelcomePage(HWND container, const ScriptSettings &settings);
// Creates the finish boxes the script asks for, checked, and remembers them
// in the wizard state.
void BuildFinishPage(HWND container, const ScriptSettings &settings);
// Entering page 10: the launch, view and visit boxes whose components are
// selected are shown one under the other; the rest are hidden and
// unchecked.
void PrepareFinishPage(const ScriptSettings &settings);

// True for the controls that stand on a white page and are painted white.
bool IsOnWhitePage(int controlId);

#endif
