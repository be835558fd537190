#include "checks/browser_program.h"

#include "checks/os_classification.h"
#include "script/ansi_text.h"
#include "script/registry_text.h"

namespace {

const char kClientsKey[] = "SOFTWARE\\Clients\\StartMenuInternet";
const char kUserChoiceKey[] =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
const char kFallbackBrowser[] = "iexplore.exe";

std::string SkipLeadingQuote(const std::string &text) {
  return !text.empty() && text[0] == '"' ? text.substr(1) : text;
}

std::string ReadValue(const CheckEnvironment &env, int32_t root, const std::string &key,
                      const std::string &value) {
  return env.registryReadValue != nullptr ? env.registryReadValue(root, key, value) : std::string();
}

bool IsUsableProgram(const CheckEnvironment &env, const std::string &path) {
  return !path.empty() && env.nonEmptyFileExists != nullptr && env.nonEmptyFileExists(path);
}

// The program of the registered Internet client, trimmed but otherwise as
// registered: a quoted command or one with arguments names no file.
std::string RegisteredClientProgram(const CheckEnvironment &env) {
  std::string client = ReadValue(env, kRootCurrentUser, kClientsKey, "");
  if (client.empty()) client = ReadValue(env, kRootLocalMachine, kClientsKey, "");
  if (client.empty()) return std::string();
  std::string key = std::string(kClientsKey) + "\\" + client + "\\shell\\open\\command";
  return TrimSpaces(ReadValue(env, kRootLocalMachine, key, ""));
}

std::string AssociatedProgram(const CheckEnvironment &env) {
  std::string command;
  if (OsCodeActingAs(env.osCode, env.os) >= kOsVista) {
    std::string progId = ReadValue(env, kRootCurrentUser, kUserChoiceKey, "ProgID");
    command = ReadValue(env, kRootLocalMachine,
                        "SOFTWARE\\Classes\\" + progId + "\\shell\\open\\command", "");
  } else {
    std::string className = ReadValue(env, kRootClassesRoot, ".html", "");
    command = ReadValue(env, kRootClassesRoot, className + "\\shell\\open\\command", "");
  }
  return ProgramPathFromCommand(command);
}

}  // namespace

std::string CommandFolderPart(const std::string &command) {
  std::string text = SkipLeadingQuote(command);
  size_t separator = text.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : text.substr(0, separator + 1);
}

std::string ProgramPathFromCommand(const std::string &command) {
  std::string text = SkipLeadingQuote(command);
  size_t separator = text.find_last_of("\\/");
  size_t fileStart = separator == std::string::npos ? 0 : separator + 1;
  size_t fileEnd = text.find('"', fileStart);
  if (fileEnd == std::string::npos) fileEnd = text.size();
  std::string path = text.substr(0, fileStart) + text.substr(fileStart, fileEnd - fileStart);
  return TrimSpaces(path);
}

std::string FindBrowserProgram(const CheckEnvironment &env) {
  std::string program = RegisteredClientProgram(env);
  if (IsUsableProgram(env, program)) return program;
  program = AssociatedProgram(env);
  if (IsUsableProgram(env, program)) return program;
  return kFallbackBrowser;
}

std::string BrowserCommandLine(const std::string &program, const std::string &address) {
  std::string line = !program.empty() && program[0] == '"' ? program : "\"" + program + "\"";
  return line + " " + address;
}
