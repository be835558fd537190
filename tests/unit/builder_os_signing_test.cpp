// The builder's OS layer on Linux (paths, files, starting a program) and
// signing through it, with stand-in signing tools that record how they
// were called. The Windows layer has its own program under Wine
// (tests/winbuilder).
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include "builder/os_files.h"
#include "builder/os_system.h"
#include "builder/signing.h"
#include "builder_test_project.h"

namespace {

// A stand-in tool: logs its arguments and its input, then acts as
// osslsigncode (copies -in to -out with a mark) or signtool (marks the
// last argument), or fails.
const char kStandInTool[] =
    "#!/bin/sh\n"
    "log=\"$(dirname \"$0\")/calls.log\"\n"
    "echo \"args: $*\" >> \"$log\"\n"
    "echo \"input: $(cat)\" >> \"$log\"\n"
    "case \"$*\" in *fail*) echo 'no such key'; exit 3 ;; esac\n"
    "in=; out=; last=\n"
    "while [ $# -gt 0 ]; do\n"
    "  case $1 in -in) in=$2; shift ;; -out) out=$2; shift ;; esac\n"
    "  last=$1; shift\n"
    "done\n"
    "if [ -n \"$out\" ]; then [ ! -e \"$out\" ] || exit 4; cat \"$in\" > \"$out\"; printf SIGNED >> \"$out\";\n"
    "else printf SIGNED >> \"$last\"; fi\n";

std::string InstallTool(const TestProject &test, const char *name) {
  std::string path = test.folder + "/" + name;
  WriteTestFile(test.folder, name, kStandInTool);
  chmod(path.c_str(), 0755);
  return path;
}

}  // namespace

TEST(BuilderOsLayer, PathsFilesAndPrograms) {
  EXPECT_EQ(JoinPath("a", "b"), "a/b");
  EXPECT_EQ(JoinPath("/", "b"), "/b");
  EXPECT_EQ(FolderOfPath("/x/y.exe"), "/x");
  EXPECT_EQ(FolderOfPath("/y.exe"), "/");
  EXPECT_EQ(FolderOfPath("y.exe"), ".");
  EXPECT_TRUE(PathIsWithin("/p/q", "/p"));
  EXPECT_TRUE(PathIsWithin("/p", "/p"));
  EXPECT_TRUE(PathIsWithin("/anything", "/"));
  EXPECT_FALSE(PathIsWithin("/pq", "/p"));

  TestProject test;
  std::string first, second;
  OsFile a = CreateUniqueFile(test.folder + "/out.tmp-", &first);
  OsFile b = CreateUniqueFile(test.folder + "/out.tmp-", &second);
  ASSERT_NE(a, kNoFile);
  ASSERT_NE(b, kNoFile);
  EXPECT_NE(first, second);
  EXPECT_TRUE(WriteFileAt(a, 0, "hello world", 11));
  EXPECT_TRUE(WriteFileAt(a, 6, "WORLD", 5));  // a patch does not move the end
  EXPECT_TRUE(ApplyNewFileMode(a, kNewFileReadOnly));
  EXPECT_TRUE(CloseFile(&a) && CloseFile(&b) && a == kNoFile);
  EXPECT_EQ(CreateNewFile(first), kNoFile);  // never over something there
  FileStatus status;
  ASSERT_TRUE(StatusOfPath(first, false, &status));
  EXPECT_TRUE(status.readOnly);
  EXPECT_EQ(status.size, 11u);
  EXPECT_TRUE(RenameOver(first, second));
  EXPECT_EQ(ReadTestFile(second), "hello WORLD");

  std::string sh = FindProgram("sh");
  ASSERT_FALSE(sh.empty());
  EXPECT_EQ(sh[0], '/');
  std::string output;
  int exitCode = -1;
  ASSERT_TRUE(RunProgram({sh, "-c", "cat; echo ' and' \"$1\" >&2; exit 3", "sh", "two words"},
                         "input", &output, &exitCode));
  EXPECT_EQ(exitCode, 3);
  EXPECT_EQ(output, "input and two words\n");
  EXPECT_FALSE(RunProgram({test.folder + "/missing"}, "", &output, &exitCode));
  // A relative PATH entry would run programs from the current folder.
  InstallTool(test, "only-here");
  std::string savedPath = getenv("PATH");
  std::string cwd = ResolvedPath(".");
  ASSERT_EQ(chdir(test.folder.c_str()), 0);
  setenv("PATH", ".:", 1);
  EXPECT_EQ(FindProgram("only-here"), "");
  setenv("PATH", (test.folder + ":" + savedPath).c_str(), 1);
  EXPECT_EQ(FindProgram("only-here"), test.folder + "/only-here");
  setenv("PATH", savedPath.c_str(), 1);
  ASSERT_EQ(chdir(cwd.c_str()), 0);
}

TEST(BuilderSigning, ToolsAreCalledAsTheyExpect) {
  TestProject test;
  WriteTestFile(test.folder, "test.pfx", "pfx");
  WriteTestFile(test.folder, "password", "first line\r\nsecond\r\n");
  WriteTestFile(test.folder, "setup.exe", "MZ installer");
  BuildOptions options = test.Options("setup.exe");
  options.signCertificate = test.folder + "/test.pfx";
  options.signPasswordFile = test.folder + "/password";
  Signer signer;
  std::string error;
  setenv("QVS_SIGNTOOL", InstallTool(test, "osslsigncode").c_str(), 1);
  ASSERT_TRUE(PrepareSigner(options, true, 1700000000, &signer, &error)) << error;
  EXPECT_FALSE(signer.signtool);
  EXPECT_EQ(signer.password, "first line");
  ASSERT_TRUE(SignFile(signer, options.output, &error)) << error;
  EXPECT_EQ(ReadTestFile(options.output), "MZ installerSIGNED");
  std::string calls = ReadTestFile(test.folder + "/calls.log");
  EXPECT_NE(calls.find("-pkcs12 " + options.signCertificate + " -h sha256 -readpass - -time 1700000000 -in " +
                       options.output + " -out " + options.output + ".sig-"),
            std::string::npos)
      << calls;
  EXPECT_NE(calls.find("input: first line\n"), std::string::npos) << calls;

  // signtool: the password on the command line, the file signed in place.
  setenv("QVS_SIGNTOOL", InstallTool(test, "signtool.exe").c_str(), 1);
  options.signPasswordFile.clear();
  options.timestampUrl = "http://tsa.example/";
  setenv("QVS_SIGN_PASSWORD", "env secret", 1);
  ASSERT_TRUE(PrepareSigner(options, true, 1700000000, &signer, &error)) << error;
  EXPECT_TRUE(signer.signtool);
  ASSERT_TRUE(SignFile(signer, options.output, &error)) << error;
  EXPECT_EQ(ReadTestFile(options.output), "MZ installerSIGNEDSIGNED");
  calls = ReadTestFile(test.folder + "/calls.log");
  EXPECT_NE(calls.find("sign /q /fd sha256 /f " + options.signCertificate +
                       " /p env secret /tr http://tsa.example/ /td sha256 " + options.output),
            std::string::npos)
      << calls;

  // A failing tool: its words in the message, the file as it was, nothing left.
  setenv("QVS_SIGNTOOL", (test.folder + "/osslsigncode").c_str(), 1);
  options.timestampUrl = "http://fail.example/";
  ASSERT_TRUE(PrepareSigner(options, false, 0, &signer, &error)) << error;
  EXPECT_FALSE(SignFile(signer, options.output, &error));
  EXPECT_NE(error.find("ended with 3):\nno such key"), std::string::npos) << error;
  EXPECT_EQ(ReadTestFile(options.output), "MZ installerSIGNEDSIGNED");
  std::vector<std::string> names;
  ASSERT_TRUE(ListFolder(test.folder, &names));
  for (const std::string &name : names) EXPECT_EQ(name.find(".sig-"), std::string::npos) << name;

  options.signCertificate = test.folder + "/missing.pfx";
  EXPECT_FALSE(PrepareSigner(options, false, 0, &signer, &error));
  EXPECT_NE(error.find("no such certificate file"), std::string::npos) << error;
  unsetenv("QVS_SIGNTOOL");
  unsetenv("QVS_SIGN_PASSWORD");
}
