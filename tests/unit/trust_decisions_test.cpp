// What the installer and uninstaller trust when they run with an
// administrator's rights: who could change a file, which new folders get
// a protection of their own, and which start requests the user's copy of
// the installer carries out for the elevated one.
#include <gtest/gtest.h>

#include "engine/undo/change_rights.h"
#include "engine/undo/folder_protection.h"
#include "platform/user_start_requests.h"

namespace {

const char kAdministrators[] = "S-1-5-32-544";
const char kSystem[] = "S-1-5-18";
const char kTrustedInstaller[] =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
const char kUsers[] = "S-1-5-32-545";
const char kAuthenticatedUsers[] = "S-1-5-11";
const char kBob[] = "S-1-5-21-1004336348-1177238915-682003330-1001";

AccessEntry Allow(const char *sid, uint32_t mask, bool inheritOnly = false) {
  AccessEntry entry;
  entry.sid = sid;
  entry.mask = mask;
  entry.inheritOnly = inheritOnly;
  return entry;
}

// What a file made by an elevated installation in Program Files carries.
AccessRights ProgramFilesFile() {
  AccessRights rights;
  rights.owner = kAdministrators;
  rights.hasList = true;
  rights.entries = {Allow(kTrustedInstaller, 0x1F01FF), Allow(kSystem, 0x1F01FF),
                    Allow(kAdministrators, 0x1F01FF), Allow(kUsers, 0x1200A9),
                    Allow("S-1-15-2-1", 0x1200A9), Allow("S-1-3-0", 0x10000000, true)};
  return rights;
}

TEST(ChangeRights, ProgramFilesProtectionIsTrusted) {
  EXPECT_FALSE(NonAdministratorCanChange(ProgramFilesFile(), kGuardedFile));
  EXPECT_FALSE(NonAdministratorCanChange(ProgramFilesFile(), kGuardedFolder));
  // The domain's Administrator account and administrator groups.
  AccessRights rights = ProgramFilesFile();
  rights.owner = "S-1-5-21-1-2-3-500";
  rights.entries.push_back(Allow("S-1-5-21-1-2-3-512", 0x1F01FF));
  rights.entries.push_back(Allow("S-1-5-21-1-2-3-519", 0x1F01FF));
  rights.entries.push_back(Allow("S-1-3-4", 0x1F01FF));  // owner rights: the owner's
  rights.entries.push_back(Allow(kAuthenticatedUsers, 0x1F01FF | 0x10000000, true));
  EXPECT_FALSE(NonAdministratorCanChange(rights, kGuardedFile));
}

// C:\Apps made under the root: Authenticated Users may modify (shown by
// the review: any user added a program for the uninstaller to run).
TEST(ChangeRights, WhatOtherUsersCouldChangeIsNot) {
  AccessRights rights = ProgramFilesFile();
  rights.entries.push_back(Allow(kAuthenticatedUsers, 0x1301BF));
  EXPECT_TRUE(NonAdministratorCanChange(rights, kGuardedFile));
  EXPECT_TRUE(NonAdministratorCanChange(rights, kGuardedFolder));

  const struct {
    uint32_t mask;
    bool changesFile;
    bool changesFolder;
  } cases[] = {{0x00000002, true, false},   // write data / add a file
               {0x00000004, true, false},   // append data / add a folder
               {0x00000040, false, true},   // delete what the folder holds
               {0x00010000, true, true},    // delete it
               {0x00040000, true, true},    // rewrite its access list
               {0x00080000, true, true},    // take it over
               {0x10000000, true, true},    // everything
               {0x40000000, true, false},   // generic write
               {0x001200A9, false, false},  // read and run
               {0x00000100, false, false}}; // attributes only
  for (const auto &c : cases) {
    AccessRights one = ProgramFilesFile();
    one.entries.push_back(Allow(kBob, c.mask));
    EXPECT_EQ(NonAdministratorCanChange(one, kGuardedFile), c.changesFile) << std::hex << c.mask;
    EXPECT_EQ(NonAdministratorCanChange(one, kGuardedFolder), c.changesFolder)
        << std::hex << c.mask;
  }
  // The user's own account counts as a user's, elevated or not; so does an
  // owner that is not an administrator, and a missing access list.
  AccessRights owned = ProgramFilesFile();
  owned.owner = kBob;
  EXPECT_TRUE(NonAdministratorCanChange(owned, kGuardedFile));
  AccessRights open = ProgramFilesFile();
  open.hasList = false;
  EXPECT_TRUE(NonAdministratorCanChange(open, kGuardedFile));
  // A deny entry does not make an allowed right harmless in this judgement.
  AccessRights denied = ProgramFilesFile();
  AccessEntry deny = Allow(kBob, 0x1F01FF);
  deny.allows = false;
  denied.entries.insert(denied.entries.begin(), deny);
  denied.entries.push_back(Allow(kBob, 0x2));
  EXPECT_TRUE(NonAdministratorCanChange(denied, kGuardedFile));
  EXPECT_FALSE(IsAdministrativeSid("S-1-5-21-1-2-3-1500"));
  EXPECT_FALSE(IsAdministrativeSid("S-1-5-32-5440"));
}

TEST(CreatedFolders, OnlyFoldersOutsideTheSystemsGetTheirOwnProtection) {
  const std::vector<std::string> keeping = {"C:\\Windows", "C:\\Program Files",
                                            "C:\\Program Files (x86)\\", "C:\\ProgramData",
                                            "C:\\Users"};
  for (const char *folder : {"C:\\Apps\\", "D:\\Games\\Demo", "C:\\Program Files2\\x",
                             "\\\\server\\share\\Apps", "C:\\ProgramData\\..\\Apps"})
    EXPECT_TRUE(GetsOwnProtection(folder, true, false, keeping)) << folder;
  for (const char *folder : {"C:\\Program Files\\Demo\\", "c:\\PROGRAM FILES (X86)\\Demo",
                             "C:\\ProgramData\\Vendor", "C:\\Users\\bob\\AppData\\Demo",
                             "C:\\Windows\\Temp\\x"})
    EXPECT_FALSE(GetsOwnProtection(folder, true, false, keeping)) << folder;
  // Not elevated, or inside a folder this run made (it inherits that one's).
  EXPECT_FALSE(GetsOwnProtection("C:\\Apps\\", false, false, keeping));
  EXPECT_FALSE(GetsOwnProtection("C:\\Apps\\Demo\\", true, true, keeping));
}

UserStartRequest Request(UserStartKind kind, const std::string &file,
                         const std::string &parameters) {
  UserStartRequest request;
  request.kind = kind;
  request.file = file;
  request.parameters = parameters;
  request.folder = "C:\\Program Files\\Demo\\";
  return request;
}

TEST(UserStartRequests, RoundTripInPieces) {
  const UserStartRequest sent = Request(kUserStartProgram, "C:\\Program Files\\Demo\\demo.exe",
                                        "\"C:\\Program Files\\Demo\\demo.exe\" /first");
  std::string bytes = EncodeUserStartRequest(sent);
  const UserStartRequest second = Request(kUserStartCommandLine, "", "\"C:\\b\\browser.exe\" x");
  bytes += EncodeUserStartRequest(second);
  // Arriving a byte at a time, each request is taken once it is whole.
  std::string pending;
  std::vector<UserStartRequest> taken;
  for (char c : bytes) {
    pending += c;
    UserStartRequest request;
    const UserStartDecoding decoded = TakeUserStartRequest(&pending, &request);
    ASSERT_NE(decoded, kUserStartRefused);
    if (decoded == kUserStartTaken) taken.push_back(request);
  }
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_TRUE(pending.empty());
  EXPECT_EQ(taken[0].kind, kUserStartProgram);
  EXPECT_EQ(taken[0].file, sent.file);
  EXPECT_EQ(taken[0].parameters, sent.parameters);
  EXPECT_EQ(taken[0].folder, sent.folder);
  EXPECT_FALSE(taken[0].hidden);
  EXPECT_EQ(taken[1].kind, kUserStartCommandLine);
  EXPECT_EQ(taken[1].parameters, second.parameters);
}

// Whatever the elevated side sends, the user's side takes only well-formed
// starts of the three kinds, and stops listening at the first other thing.
TEST(UserStartRequests, AnythingElseEndsTheConversation) {
  const std::string good =
      EncodeUserStartRequest(Request(kUserStartThroughShell, "C:\\x\\readme.txt", ""));
  std::vector<std::string> bad;
  bad.push_back("QVSX" + good.substr(4));
  std::string kind = good;
  kind[4] = 3;
  bad.push_back(kind);
  std::string hidden = good;
  hidden[5] = 2;
  bad.push_back(hidden);
  std::string huge = good.substr(0, 6) + std::string("\xFF\xFF\x00\x00", 4);
  bad.push_back(huge);
  bad.push_back(EncodeUserStartRequest(Request(kUserStartThroughShell, "", "x")));
  bad.push_back(EncodeUserStartRequest(Request(kUserStartProgram, "C:\\a\nb.exe", "")));
  bad.push_back(EncodeUserStartRequest(Request(kUserStartCommandLine, "C:\\a.exe", "x")));
  bad.push_back(EncodeUserStartRequest(Request(kUserStartCommandLine, "", "\"\" x")));
  std::string zero = EncodeUserStartRequest(Request(kUserStartThroughShell, "C:\\x", "a"));
  zero[18] = '\0';  // the parameters' one byte: head, file "C:\x", lengths
  bad.push_back(zero);
  for (const std::string &bytes : bad) {
    std::string pending = bytes;
    UserStartRequest request;
    EXPECT_EQ(TakeUserStartRequest(&pending, &request), kUserStartRefused);
  }
  EXPECT_TRUE(EncodeUserStartRequest(Request(kUserStartProgram, std::string(32768, 'a'), ""))
                  .empty());
}

}  // namespace
