// Environment variables of the process and facts about the logged-on user.
// Results are full length: no fixed-size buffer cuts them short.
#ifndef QVS_PLATFORM_ENVIRONMENT_H
#define QVS_PLATFORM_ENVIRONMENT_H

#include <string>

// `text` with its %NAME% references expanded (ExpandEnvironmentStringsA);
// references to unset variables stay as written. When the system cannot
// expand the text at all, `text` comes back unchanged.
std::string ExpandEnvironmentText(const std::string &text);

// The value of environment variable `name`; empty when it is not set.
std::string ReadEnvironmentVariable(const char *name);

// The logon name of the user running the process; empty when unknown.
std::string ReadUserLogonName();

#endif
