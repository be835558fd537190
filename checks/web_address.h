// Opening a web address in the user's default browser.
#ifndef QVS_CHECKS_WEB_ADDRESS_H
#define QVS_CHECKS_WEB_ADDRESS_H

#include <string>

// Starts the default browser (FindBrowserProgram) on `address`, in the
// browser's folder, without waiting, as the user who started the installer
// (platform/user_side.h). Reports nothing: a browser that cannot be
// started goes unnoticed.
void OpenWebAddress(const std::string &address);

#endif
