// The built-in page and state icons as bitmaps.
#ifndef QVS_STARTUP_BUILTIN_ICONS_H
#define QVS_STARTUP_BUILTIN_ICONS_H

#include "engine/state/startup_state.h"

// Fills state->pageIcons (32 x 32, 24-bit).
void LoadPageIcons(StartupState *state);
// Fills state->stateIcons (16 x 16, 256 colours).
void LoadStateIcons(StartupState *state);

#endif
