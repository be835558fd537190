// The installation's messages that no language file carries (the language
// files' numbered strings predate them): fixed English texts, like the
// start-up's. Portable.
#ifndef QVS_ENGINE_INSTALL_INSTALL_MESSAGES_H
#define QVS_ENGINE_INSTALL_INSTALL_MESSAGES_H

#include <string>

// A disk ran full while the files were written: the folder, the space the
// files still to come need there and the space free, both as sizes for
// people; Retry or Cancel.
std::string DiskFullText(const std::string &folder, const std::string &needed,
                         const std::string &free);

// The journal at `path` could not be written during the installation,
// which is undone.
std::string JournalWriteFailedText(const std::string &path);

// The uninstaller could not be written in a silent run, which is undone
// rather than left without it.
std::string UninstallerMissingText(const std::string &path);

#endif
