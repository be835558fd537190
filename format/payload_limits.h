// Bounds that the builder enforces on what it packs and that the stub and
// the unpacker module rely on when they read an installer.
//
// Texts: the stub keeps the script, the language files and the Information
// and License texts in memory and parses the first two; larger entries than
// these are refused by the builder and treated by the stub as damaged (a
// script) or skipped (the others), so that start-up never spends gigabytes
// or minutes on a text no real product carries.
//
// Paths: the unpacker module writes each product file as install folder +
// "\" + the path below it, in one Windows path of at most MAX_PATH (260)
// characters with its terminating zero. Beside the product's files the
// installer makes names of its own in the same folders (the module's
// temporary file, the kept copy of a replaced file, the uninstaller's
// files while they are written), none longer than kInstallerNameLength:
// so every folder the installer writes into is at most
// kMaxWritableFolderLength characters, its trailing "\" included. The
// wizard holds the install folder to that, and the builder leaves room for
// an install folder of kInstallFolderAllowance characters below it.
#ifndef QVS_FORMAT_PAYLOAD_LIMITS_H
#define QVS_FORMAT_PAYLOAD_LIMITS_H

#include <stdint.h>

// The installer script: a product with thousands of components and dozens
// of languages stays well below.
static const uint32_t kMaxScriptSize = 8u * 1024 * 1024;
// One language file (the English one is about 10 KiB).
static const uint32_t kMaxLanguageFileSize = 1u * 1024 * 1024;
// One Information or License text.
static const uint32_t kMaxInfoTextSize = 4u * 1024 * 1024;

// Longest full path the installer writes: MAX_PATH less the terminating
// zero.
static const uint32_t kMaxInstalledPathLength = 259;
// Longest name the installer makes itself in a folder it installs into:
// "~qvs" + 8 hexadecimal digits + ".tmp" (the module's temporary file) or
// ".old" (a kept copy), "Uninst9999.exe".
static const uint32_t kInstallerNameLength = 16;
// Longest folder, its trailing "\" included, that the installer writes
// into.
static const uint32_t kMaxWritableFolderLength = kMaxInstalledPathLength - kInstallerNameLength;
// Install folder length the builder's path limits leave room for, without
// its trailing "\" (for example "C:\Program Files (x86)\Vendor\Product").
static const uint32_t kInstallFolderAllowance = 100;

// Longest product path below its component folder: the install folder,
// one "\" and the path fit in kMaxInstalledPathLength.
static const uint32_t kMaxProductPathLength =
    kMaxInstalledPathLength - kInstallFolderAllowance - 1;
// Longest folder part of a product path (without the file name and the "\"
// before it): install folder + "\" + folder + "\" fit in
// kMaxWritableFolderLength.
static const uint32_t kMaxProductFolderLength =
    kMaxWritableFolderLength - kInstallFolderAllowance - 2;

#endif
