// Finding the default browser and the command line that opens an address.
#include "checks/browser_program.h"
#include "tests/unit/checks_test_support.h"

namespace {

const std::string kClients = "SOFTWARE\\Clients\\StartMenuInternet";

TEST(BrowserCommand, ProgramPathFromCommands) {
  EXPECT_EQ(ProgramPathFromCommand("\"C:\\Program Files\\B\\b.exe\" -url \"%1\""),
            "C:\\Program Files\\B\\b.exe");
  EXPECT_EQ(ProgramPathFromCommand("C:\\B\\b.exe"), "C:\\B\\b.exe");
  EXPECT_EQ(ProgramPathFromCommand("  C:\\B\\b.exe  "), "C:\\B\\b.exe");
  // A slash in the arguments moves the split there.
  EXPECT_EQ(ProgramPathFromCommand("\"C:\\B\\b.exe\" http://x/"), "C:\\B\\b.exe\" http://x/");
  EXPECT_EQ(ProgramPathFromCommand("b.exe \"%1\""), "b.exe");
  EXPECT_EQ(ProgramPathFromCommand(""), "");
  EXPECT_EQ(CommandFolderPart("\"C:\\B\\b.exe\""), "C:\\B\\");
  EXPECT_EQ(CommandFolderPart("C:/B/b.exe"), "C:/B/");
  EXPECT_EQ(CommandFolderPart("iexplore.exe"), "");
}

TEST(BrowserCommand, CommandLineQuotesTheProgramOnce) {
  EXPECT_EQ(BrowserCommandLine("C:\\B\\b.exe", "http://x/?a b"), "\"C:\\B\\b.exe\" http://x/?a b");
  EXPECT_EQ(BrowserCommandLine("\"C:\\B\\b.exe\"", "http://x/"), "\"C:\\B\\b.exe\" http://x/");
  EXPECT_EQ(BrowserCommandLine("iexplore.exe", "a"), "\"iexplore.exe\" a");
}

TEST_F(CheckTest, RegisteredClientOfTheUserIsLookedUpUnderTheMachine) {
  SetValue(kRootCurrentUser, kClients, "", "Mine");
  SetValue(kRootLocalMachine, kClients, "", "Theirs");
  SetValue(kRootLocalMachine, kClients + "\\Mine\\shell\\open\\command", "", " C:\\M\\m.exe ");
  SetValue(kRootLocalMachine, kClients + "\\Theirs\\shell\\open\\command", "", "C:\\T\\t.exe");
  machine.files["C:\\M\\m.exe"] = 10;
  machine.files["C:\\T\\t.exe"] = 10;
  EXPECT_EQ(FindBrowserProgram(env), "C:\\M\\m.exe");
  machine.values.erase(FakeValueId(kRootCurrentUser, kClients, ""));
  EXPECT_EQ(FindBrowserProgram(env), "C:\\T\\t.exe");
}

TEST_F(CheckTest, QuotedOrEmptyClientFallsBackToTheAssociation) {
  SetValue(kRootLocalMachine, kClients, "", "Quoted");
  SetValue(kRootLocalMachine, kClients + "\\Quoted\\shell\\open\\command", "", "\"C:\\Q\\q.exe\"");
  machine.files["C:\\Q\\q.exe"] = 10;
  SetValue(kRootCurrentUser,
           "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice",
           "ProgID", "QHTML");
  SetValue(kRootLocalMachine, "SOFTWARE\\Classes\\QHTML\\shell\\open\\command", "",
           "\"C:\\Q\\q.exe\" -- \"%1\"");
  env.osCode = 70;
  EXPECT_EQ(FindBrowserProgram(env), "C:\\Q\\q.exe");
  // Before Vista the .html class decides, and here it names nothing.
  env.osCode = 60;
  EXPECT_EQ(FindBrowserProgram(env), "iexplore.exe");
  SetValue(kRootClassesRoot, ".html", "", "htmlfile");
  SetValue(kRootClassesRoot, "htmlfile\\shell\\open\\command", "", "\"C:\\Q\\q.exe\" \"%1\"");
  EXPECT_EQ(FindBrowserProgram(env), "C:\\Q\\q.exe");
  // An empty program file does not count.
  machine.files["C:\\Q\\q.exe"] = 0;
  EXPECT_EQ(FindBrowserProgram(env), "iexplore.exe");
}

}  // namespace
