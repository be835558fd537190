// Entry names of the payload archive: which are configuration entries, what
// each is held as, and how product files are grouped.
#include <string.h>

#include "startup/payload_entries.h"
#include "tests/stub/stub_check.h"

namespace {
const std::string kPrefix = "_$_INSTALLER_Data_1234567_$_";
}

STUB_TEST(ConfigurationEntriesNeedBothEndsAndASevenCharacterField) {
  std::string prefix;
  CHECK(IsConfigurationEntry(kPrefix + "\\Config\\Script.qvs", &prefix) && prefix == kPrefix);
  CHECK(IsConfigurationEntry("_$_INSTALLER_Data_abcdefg_$_\\x", NULL));
  CHECK(!IsConfigurationEntry("_$_INSTALLER_Data_123456_$_\\Config\\Script.qvs", NULL));
  CHECK(!IsConfigurationEntry("_$_INSTALLER_Data_12345678_$_\\Config\\Script.qvs", NULL));
  CHECK(!IsConfigurationEntry("_$_INSTALLER_Data_1234567_$\\Config\\Script.qvs", NULL));
  CHECK(!IsConfigurationEntry("12\\_$_INSTALLER_Data_1234567_$_", NULL));
  CHECK(!IsConfigurationEntry("", NULL));
  CHECK(!IsConfigurationEntry("_$_", NULL));
  // The whole name without a backslash is its own first component.
  CHECK(IsConfigurationEntry(kPrefix, NULL));
}

STUB_TEST(FixedConfigurationNamesCompareExactly) {
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\Script.qvs", kPrefix) == kConfigScript);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\Wizard.bmp", kPrefix) == kConfigWizardImage);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\Header.bmp", kPrefix) == kConfigHeaderImage);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\Background.bmp", kPrefix) == kConfigBackgroundImage);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\Uninstaller.bin", kPrefix) == kConfigUninstaller);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\script.qvs", kPrefix) == kConfigIgnored);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Config\\Other.txt", kPrefix) == kConfigIgnored);
  CHECK(ClassifyConfigEntry(kPrefix + "/Config/Script.qvs", kPrefix) == kConfigIgnored);
}

STUB_TEST(FolderEntriesNeedTheFolderDirectlyUnderThePrefix) {
  CHECK(ClassifyConfigEntry(kPrefix + "\\Languages\\English.lng", kPrefix) == kConfigLanguage);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Information\\1033.txt", kPrefix) == kConfigInformation);
  CHECK(ClassifyConfigEntry(kPrefix + "\\License\\Default.txt", kPrefix) == kConfigLicense);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Languages\\Sub\\English.lng", kPrefix) == kConfigIgnored);
  CHECK(ClassifyConfigEntry(kPrefix + "\\languages\\English.lng", kPrefix) == kConfigIgnored);
  CHECK(ClassifyConfigEntry(kPrefix + "\\Languages", kPrefix) == kConfigIgnored);
}

STUB_TEST(InfoTextLanguageComesFromTheFileName) {
  CHECK(InfoTextLangId(kPrefix + "\\License\\Default.txt") == -1);
  CHECK(InfoTextLangId(kPrefix + "\\License\\1033.TXT") == 1033);
  // Another letter case is no default: the integer value of "default" is 0.
  CHECK(InfoTextLangId(kPrefix + "\\License\\default.txt") == 0);
  CHECK(InfoTextLangId(kPrefix + "\\License\\Default.TXT") == -1);
  // Every occurrence of the extension goes, in any case.
  CHECK(InfoTextLangId(kPrefix + "\\License\\1031.txt.TXT") == 1031);
  CHECK(InfoTextLangId(kPrefix + "\\License\\Default") == -1);
  CHECK(InfoTextLangId(kPrefix + "/License/2057.rtf") == 2057);
  CHECK(InfoTextLangId(kPrefix + "\\License\\$409.txt") == 1033);
}

STUB_TEST(ProductFilesGroupByFirstSeenComponentInArchiveOrder) {
  std::vector<ComponentFileGroup> groups;
  ComponentGroupIndex index;
  CHECK(AddProductFile(&groups, &index, "7\\a.txt", 10));
  CHECK(AddProductFile(&groups, &index, "3\\x\\y.dll", 20));
  CHECK(AddProductFile(&groups, &index, "7\\b.txt", 30));
  CHECK(AddProductFile(&groups, &index, "0\\c.txt", 40));
  CHECK(groups.size() == 3);
  CHECK(groups[0].componentId == 7 && groups[0].files.size() == 2);
  CHECK(groups[0].files[0].entryName == "7\\a.txt" && groups[0].files[1].entryName == "7\\b.txt");
  CHECK(groups[0].files[1].uncompressedSize == 30);
  CHECK(groups[1].componentId == 3 && groups[1].files[0].entryName == "3\\x\\y.dll");
  CHECK(groups[2].componentId == 0 && groups[2].files.size() == 1);
}

STUB_TEST(ProductFilesNeedACanonicalDecimalComponentId) {
  std::vector<ComponentFileGroup> groups;
  ComponentGroupIndex index;
  CHECK(AddProductFile(&groups, &index, "20\\real.txt", 1));
  // Each of these once read as component 20 or 0; none is filed now.
  const char *damaged[] = {"$14\\x",  "4294967316\\x", "020\\x", "+20\\x", "20 \\x",
                           "name\\c.txt", "plain",          "20",      "20\\", "2147483648\\x"};
  for (const char *name : damaged) CHECK(!AddProductFile(&groups, &index, name, 1));
  CHECK(groups.size() == 1 && groups[0].files.size() == 1);
  int32_t id = 0;
  CHECK(ProductComponentId("2147483647\\x", &id) && id == 2147483647);
}

STUB_TEST(EntryTextEndsAtTheFirstZeroByte) {
  const uint8_t bytes[] = {'a', 'b', 0, 'c'};
  CHECK(TextFromEntryBytes(bytes, sizeof bytes) == "ab");
  CHECK(TextFromEntryBytes(bytes, 1) == "a");
  CHECK(TextFromEntryBytes(bytes, 0).empty());
  CHECK(TextFromEntryBytes(NULL, 4).empty());
  const uint8_t high[] = {0xE4, 0xFC};
  CHECK(TextFromEntryBytes(high, sizeof high) == "\xE4\xFC");
}
