// A signed uninstaller image and its administrator flag: telling a signed
// image by its headers (format/pe_signature.h), and the flag carried in the
// data file instead of after the image.
#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "format/pe_signature.h"
#include "format/uninstaller_data.h"
#include "uninstaller/arguments.h"
#include "uninstaller_data_fixtures.h"

namespace {

void Put32(std::vector<uint8_t> *bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; i++) (*bytes)[at + i] = (uint8_t)(value >> (8 * i));
}

// The headers of a PE image (PE32, or PE32+ when `plus`) whose data
// directory has `directories` entries, the certificate table's among them.
std::vector<uint8_t> Headers(bool plus, uint32_t tableOffset, uint32_t tableSize,
                             uint32_t directories = 16) {
  const size_t pe = 0x80;
  const size_t optional = pe + 4 + 20;
  const size_t countField = plus ? 108 : 92;
  std::vector<uint8_t> head(1024, 0);
  head[0] = 'M';
  head[1] = 'Z';
  Put32(&head, 0x3C, (uint32_t)pe);
  memcpy(&head[pe], "PE\0\0", 4);
  head[pe + 4 + 16] = (uint8_t)(countField + 4 + 16 * 8);  // size of the optional header
  head[optional] = 0x0B;
  head[optional + 1] = plus ? 0x02 : 0x01;
  Put32(&head, optional + countField, directories);
  Put32(&head, optional + countField + 4 + 4 * 8, tableOffset);
  Put32(&head, optional + countField + 8 + 4 * 8, tableSize);
  return head;
}

}  // namespace

TEST(SignedUninstaller, TheCertificateTableMustEndTheFile) {
  for (bool plus : {false, true}) {
    std::vector<uint8_t> head = Headers(plus, 409600, 1960);
    EXPECT_TRUE(SignatureEndsFile(head.data(), head.size(), 411560)) << plus;
    // The administrator flag appended after a signature: no longer signed.
    EXPECT_FALSE(SignatureEndsFile(head.data(), head.size(), 411564)) << plus;
  }
  std::vector<uint8_t> plain = Headers(false, 0, 0);
  EXPECT_FALSE(SignatureEndsFile(plain.data(), plain.size(), 409600));
  // Too few directories to hold the entry, or headers cut short.
  std::vector<uint8_t> few = Headers(false, 409600, 1960, 4);
  EXPECT_FALSE(SignatureEndsFile(few.data(), few.size(), 411560));
  std::vector<uint8_t> full = Headers(true, 409600, 1960);
  EXPECT_FALSE(SignatureEndsFile(full.data(), 0x90, 411560));
  // A header offset far beyond the bytes read, and bytes that are no PE.
  std::vector<uint8_t> far = Headers(false, 409600, 1960);
  Put32(&far, 0x3C, 0xFFFFFFF0u);
  EXPECT_FALSE(SignatureEndsFile(far.data(), far.size(), 411560));
  std::vector<uint8_t> text(1024, 'x');
  EXPECT_FALSE(SignatureEndsFile(text.data(), text.size(), 1024));
}

TEST(SignedUninstaller, TheFlagTravelsInTheDataFile) {
  UninstallerData data = MinimalData();
  data.config.hasRequireAdministrator = true;
  data.config.RequireAdministrator = 1;
  std::string text = WriteUninstallerData(data);
  EXPECT_NE(text.find("LeaveFilesCount = 0\r\nRequireAdministrator = 1\r\n[CloseItemsUninstaller]"),
            std::string::npos)
      << text;
  UninstallerData read;
  std::string error;
  ASSERT_TRUE(ReadUninstallerData(text, &read, &error)) << error;
  EXPECT_TRUE(read.config.hasRequireAdministrator);
  EXPECT_EQ(read.config.RequireAdministrator, 1);
  EXPECT_TRUE(AdministratorFlagFromData(text));

  data.config.RequireAdministrator = 0;
  EXPECT_FALSE(AdministratorFlagFromData(WriteUninstallerData(data)));
  // Unsigned images keep the flag after the image: no line, and a file
  // without one reads as before.
  data.config.hasRequireAdministrator = false;
  text = WriteUninstallerData(data);
  EXPECT_EQ(text, kMinimalFile);
  EXPECT_FALSE(AdministratorFlagFromData(text));
  EXPECT_FALSE(AdministratorFlagFromData("RequireAdministrator = 1\r\n"));  // damaged: no groups
  std::string bad = kMinimalFile;
  bad.insert(bad.find("[CloseItemsUninstaller]"), "RequireAdministrator = yes\r\n");
  EXPECT_FALSE(ReadUninstallerData(bad, &read, &error));
  EXPECT_NE(error.find("RequireAdministrator"), std::string::npos) << error;
}
