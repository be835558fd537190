#include "builder/signing.h"

#include <string.h>

#include <vector>

#include "builder/os_files.h"
#include "builder/os_system.h"
#include "builder/source_file.h"

namespace {

const char kUninstallerEntry[] = "Config\\Uninstaller.bin";
const char kSignedUninstallerName[] = "Uninstaller.exe";
// The longest password file read; a password is one line.
const size_t kMaxPasswordFileSize = 4096;
// How much of the tool's output a failure quotes.
const size_t kQuotedOutputSize = 2000;

bool NamesSigntool(const std::string &path) {
  std::string lower;
  for (char c : path) lower.push_back(c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c);
  size_t name = lower.find_last_of("\\/");
  return lower.find("signtool", name == std::string::npos ? 0 : name + 1) != std::string::npos;
}

bool ReadPasswordFile(const std::string &path, std::string *password, std::string *error) {
  OsFile file = OpenFileForReading(path);
  if (file == kNoFile) {
    *error = "--sign-password-file " + path + ": " + LastSystemError();
    return false;
  }
  std::vector<char> bytes(kMaxPasswordFileSize);
  size_t got = 0;
  bool ok = ReadFromFile(file, bytes.data(), bytes.size(), &got);
  if (!ok) *error = "--sign-password-file " + path + ": " + LastSystemError();
  CloseFile(&file);
  if (!ok) return false;
  std::string text(bytes.data(), got);
  *password = text.substr(0, text.find_first_of("\r\n"));
  return true;
}

// The tool's own words, trimmed, for a failure message.
std::string QuoteOutput(const std::string &output) {
  std::string text = output.size() > kQuotedOutputSize ? output.substr(output.size() - kQuotedOutputSize) : output;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  return text.empty() ? std::string() : ":\n" + text;
}

bool RunTool(const Signer &signer, const std::vector<std::string> &arguments,
             const std::string &input, const std::string &path, std::string *error) {
  std::string output;
  int exitCode = 0;
  if (!RunProgram(arguments, input, &output, &exitCode)) {
    *error = "cannot start the signing tool " + signer.tool + ": " + LastSystemError();
    return false;
  }
  if (exitCode != 0) {
    *error = path + ": signing failed (" + signer.tool + " ended with " + std::to_string(exitCode) +
             ")" + QuoteOutput(output);
    return false;
  }
  return true;
}

bool SignWithSigntool(const Signer &signer, const std::string &path, std::string *error) {
  std::vector<std::string> arguments = {signer.tool, "sign", "/q", "/fd", "sha256", "/f",
                                        signer.certificate};
  if (!signer.password.empty()) {
    arguments.push_back("/p");
    arguments.push_back(signer.password);
  }
  if (!signer.timestampUrl.empty()) {
    arguments.insert(arguments.end(), {"/tr", signer.timestampUrl, "/td", "sha256"});
  }
  arguments.push_back(path);
  return RunTool(signer, arguments, std::string(), path, error);
}

// The tool makes its file with a data file's permissions; the signed file
// replaces a program and gets what a new program gets.
bool GiveProgramMode(const std::string &path, std::string *error) {
  OsFile file = OpenFileForReading(path);
  FileStatus status;
  bool ok = file != kNoFile && StatusOfOpenFile(file, &status) && status.kind == kFileRegular &&
            ApplyNewFileMode(file, kNewFileProgram);
  if (!ok) *error = path + ": the signing tool's file cannot be used: " + LastSystemError();
  CloseFile(&file);
  return ok;
}

// osslsigncode writes the signed file under a new name, which must not
// exist: a unique name is taken next to `path` and given back for it.
bool SignWithOsslsigncode(const Signer &signer, const std::string &path, std::string *error) {
  std::string signedPath;
  OsFile reserved = CreateUniqueFile(path + ".sig-", &signedPath);
  if (reserved == kNoFile) {
    *error = path + ": cannot create a file next to it: " + LastSystemError();
    return false;
  }
  CloseFile(&reserved);
  RemoveFile(signedPath);
  RemoveOnInterrupt(kInterruptSigned, signedPath);
  std::vector<std::string> arguments = {signer.tool, "sign", "-pkcs12", signer.certificate,
                                        "-h", "sha256"};
  // The password on the standard input; a file without one takes none
  // (osslsigncode refuses to read an empty password).
  if (!signer.password.empty()) arguments.insert(arguments.end(), {"-readpass", "-"});
  if (!signer.timestampUrl.empty()) {
    arguments.insert(arguments.end(), {"-ts", signer.timestampUrl});
  } else if (signer.fixedSigningTime) {
    arguments.insert(arguments.end(), {"-time", std::to_string((long long)signer.signingTime)});
  }
  arguments.insert(arguments.end(), {"-in", path, "-out", signedPath});
  bool ok = RunTool(signer, arguments, signer.password, path, error) &&
            GiveProgramMode(signedPath, error);
  if (ok && !RenameOver(signedPath, path)) {
    *error = path + ": cannot replace it with its signed copy: " + LastSystemError();
    ok = false;
  }
  if (!ok) RemoveFile(signedPath);
  RemoveOnInterrupt(kInterruptSigned, std::string());
  return ok;
}

}  // namespace

bool PrepareSigner(const BuildOptions &options, bool haveEpoch, int64_t epoch, Signer *signer,
                   std::string *error) {
  signer->certificate = options.signCertificate;
  signer->timestampUrl = options.timestampUrl;
  signer->fixedSigningTime = haveEpoch;
  signer->signingTime = epoch;
  FileStatus status;
  if (!StatusOfPath(signer->certificate, true, &status) || status.kind != kFileRegular) {
    *error = "--sign " + signer->certificate + ": no such certificate file (a .pfx file holding "
             "the certificate and its private key)";
    return false;
  }
  signer->password.clear();
  if (!options.signPasswordFile.empty()) {
    if (!ReadPasswordFile(options.signPasswordFile, &signer->password, error)) return false;
  } else {
    EnvironmentValue("QVS_SIGN_PASSWORD", &signer->password);
  }
  if (EnvironmentValue("QVS_SIGNTOOL", &signer->tool)) {
    signer->signtool = NamesSigntool(signer->tool);
    return true;
  }
  for (const std::string &name : SigningToolNames()) {
    signer->tool = FindProgram(name);
    if (!signer->tool.empty()) {
      signer->signtool = NamesSigntool(name);
      return true;
    }
  }
  *error = "--sign: no signing tool found; install osslsigncode (on Windows, or use the Windows "
           "SDK's signtool.exe on PATH), or name one with QVS_SIGNTOOL";
  return false;
}

bool SignFile(const Signer &signer, const std::string &path, std::string *error) {
  return signer.signtool ? SignWithSigntool(signer, path, error)
                         : SignWithOsslsigncode(signer, path, error);
}

std::string SignedUninstallerPath(const std::string &workFolder) {
  return JoinPath(workFolder, kSignedUninstallerName);
}

bool SignUninstallerEntry(const Signer &signer, const std::string &workFolder, Project *project,
                          std::string *error) {
  InputFile *entry = nullptr;
  for (InputFile &file : project->configEntries)
    if (file.entryName == kUninstallerEntry && file.memory == NULL) entry = &file;
  if (entry == nullptr) return true;
  std::string bytes;
  if (!ReadSourceFile(entry->sourcePath, entry->identity, &bytes, error)) return false;
  const std::string copy = SignedUninstallerPath(workFolder);
  OsFile file = CreateNewFile(copy);
  if (file == kNoFile) {
    *error = copy + ": cannot create: " + LastSystemError();
    return false;
  }
  RemoveOnInterrupt(kInterruptSigningCopy, copy);
  bool ok = WriteFileAt(file, 0, bytes.data(), bytes.size());
  if (!ok) *error = copy + ": cannot write: " + LastSystemError();
  if (!CloseFile(&file) && ok) {
    *error = copy + ": cannot write: " + LastSystemError();
    ok = false;
  }
  if (ok) ok = SignFile(signer, copy, error);
  FileStatus status;
  if (ok && !StatusOfPath(copy, false, &status)) {
    *error = copy + ": cannot read: " + LastSystemError();
    ok = false;
  }
  if (!ok) return false;
  entry->sourcePath = copy;
  entry->size = status.size;
  entry->identity = IdentityOf(status);
  return true;
}
