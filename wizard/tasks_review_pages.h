// The additional-tasks page (page 7: desktop and quick-launch shortcut
// boxes), the review page (page 8: the summary) and the installing page
// (page 9: status, progress bar, current file).
#ifndef QVS_WIZARD_TASKS_REVIEW_PAGES_H
#define QVS_WIZARD_TASKS_REVIEW_PAGES_H

#include <windows.h>

#include "script/script_settings.h"
#include "wizard/navigation.h"

void BuildTasksPage(HWND container);
// Review: needs the rich-edit library (LoadRichEditLibrary) loaded first.
void BuildReviewPage(HWND container);
void BuildInstallingPage(HWND container);

// Entering page 7: counts the shortcuts that apply into `navigation` and
// shows, titles and checks the boxes that have any.
void PrepareTasksPage(const ScriptSettings &settings, WizardNavigation *navigation);
// Entering page 8: the summary of the choices made.
void PrepareReviewPage(const ScriptSettings &settings, const WizardNavigation &navigation);

#endif
