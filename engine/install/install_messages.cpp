#include "engine/install/install_messages.h"

std::string DiskFullText(const std::string &folder, const std::string &needed,
                         const std::string &free) {
  return "There is not enough free space to install the files in\r\n" + folder +
         "\r\n\r\nThe files still to come need " + needed + " there; " + free +
         " is free.\r\n\r\nFree some space and press Retry, or press Cancel to undo the "
         "installation.";
}

std::string JournalWriteFailedText(const std::string &path) {
  return "The installer keeps a record of every change it makes, so that an installation cut "
         "off by a crash can be undone. That record could not be written:\r\n" +
         path + "\r\n\r\nThe installation will be undone.";
}

std::string UninstallerMissingText(const std::string &path) {
  return "The uninstaller could not be written:\r\n" + path +
         "\r\n\r\nThe installation will be undone.";
}
