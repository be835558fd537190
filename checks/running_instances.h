// Running instances: the installer script's close items, each a named
// mutex or a top-level window by which a running program is recognised.
#ifndef QVS_CHECKS_RUNNING_INSTANCES_H
#define QVS_CHECKS_RUNNING_INSTANCES_H

#include <string>
#include <vector>

#include "checks/check_environment.h"
#include "script/script_settings.h"

// Whether a window's title and class match a window item. Both sides are
// compared lower-cased and trimmed of spaces: with `containsFlag` 0 the
// title must equal the name, with 1 it must contain it; a non-empty
// `windowClass` must then equal the class. An empty name never matches.
bool WindowMatches(const std::string &title, const std::string &className,
                   const std::string &windowName, const std::string &windowClass,
                   int containsFlag);

// The contains flag of a window item: 0 (exact) when MatchExactly is 1,
// else 1. Values other than 0 and 1 search by containment, the looser test,
// so a program is rather found than missed.
int ContainsFlagFor(const CloseItem &item);

// Looks for each close item in order: a present mutex adds `mutexLine`, a
// matching window `windowLine`, each with "$P" replaced by the item's name;
// other types are never found. Returns how many were found; *report (may
// be NULL) receives the lines one after the other. Uses isMutexPresent and
// isWindowPresent.
int FindRunningItems(const std::vector<CloseItem> &items, const CheckEnvironment &env,
                     const std::string &mutexLine, const std::string &windowLine,
                     std::string *report);

// Examines the installer's close items in order, removing each from the
// list: a present mutex is reported with string 23, a matching window with
// string 24; when anything was found one message (caption 25, text 26,
// exclamation icon) lists it all and the installer ends. Uses showMessage,
// isMutexPresent, isWindowPresent.
CheckResult CheckRunningInstances(ScriptSettings *settings, const CheckEnvironment &env);

#endif
