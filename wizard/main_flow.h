// The main flow of one installation, started once the language is chosen.
#ifndef QVS_WIZARD_MAIN_FLOW_H
#define QVS_WIZARD_MAIN_FLOW_H

#include <string>

// Loads the language data of `languageName` and runs the installation's
// stages: the wizard, or in a silent run the installation with the
// command line's answers. Never returns: every way out goes through
// CleanExit.
[[noreturn]] void RunMainFlow(const std::string &languageName);

#endif
