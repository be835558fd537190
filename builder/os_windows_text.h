// Text and path conversions shared by the builder's Windows files
// (os_files_windows.cpp, os_system_windows.cpp). Windows only.
#ifndef QVS_BUILDER_OS_WINDOWS_TEXT_H
#define QVS_BUILDER_OS_WINDOWS_TEXT_H

#include <string>

// UTF-8 to UTF-16; false (ERROR_NO_UNICODE_TRANSLATION) for invalid UTF-8.
bool WideFromUtf8(const std::string &text, std::wstring *wide);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(const wchar_t *text, size_t length);
std::string Utf8FromWide(const std::wstring &text);

// The form of `path` to hand to the file API: as given while its full form
// stays within the classic limit, else the full path in its "\\?\" (or
// "\\?\UNC\") form, which lifts the limit. False for invalid UTF-8.
bool SystemPath(const std::string &path, std::wstring *wide);

// Six letters and digits that differ from call to call, for unique names
// (made unique by an exclusive create; not a secret).
std::wstring UniqueSuffix();

#endif
