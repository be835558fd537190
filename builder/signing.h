// Code signing of what the builder writes: the uninstaller image it packs
// and then the finished installer each get an Authenticode signature
// (SHA-256) made with the certificate and private key of a PKCS#12 file
// (.pfx), and, with a time-stamp server, an RFC 3161 time stamp that keeps
// the signature valid after the certificate expires.
//
// The work is done by a signing tool: on Linux osslsigncode; on Windows the
// SDK's signtool.exe when it is found on PATH, else osslsigncode.exe; the
// environment variable QVS_SIGNTOOL names another program of either kind.
// osslsigncode gets the password on its standard input; signtool only
// takes it on its command line.
//
// Call order: PrepareSigner once before anything is built, then
// SignUninstallerEntry after the scan and SignFile on the finished file.
#ifndef QVS_BUILDER_SIGNING_H
#define QVS_BUILDER_SIGNING_H

#include <stdint.h>

#include <string>

#include "builder/build_options.h"
#include "builder/project.h"

struct Signer {
  std::string tool;  // the signing tool's path
  bool signtool;  // signtool's command line, else osslsigncode's
  std::string certificate;
  std::string password;
  std::string timestampUrl;
  // osslsigncode without a time stamp takes SOURCE_DATE_EPOCH as the
  // signing time, so that a signed build is reproducible too.
  bool fixedSigningTime;
  int64_t signingTime;
};

// Finds the tool and reads the password (QVS_SIGN_PASSWORD, or the first
// line of --sign-password-file). False with *error when the certificate
// file or a tool is missing or the password file cannot be read.
bool PrepareSigner(const BuildOptions &options, bool haveEpoch, int64_t epoch, Signer *signer,
                   std::string *error);

// Signs the file at `path` in place (osslsigncode writes a new file next
// to it, which then replaces it). False with *error, which quotes the
// tool, when signing fails; the file is then as it was.
bool SignFile(const Signer &signer, const std::string &path, std::string *error);

// Copies the project's uninstaller image (Config\Uninstaller.bin) into
// `workFolder`, signs the copy and makes the entry read it from there,
// keeping its time and attributes. The caller removes the copy
// (SignedUninstallerPath) once the build has ended.
bool SignUninstallerEntry(const Signer &signer, const std::string &workFolder, Project *project,
                          std::string *error);
std::string SignedUninstallerPath(const std::string &workFolder);

#endif
