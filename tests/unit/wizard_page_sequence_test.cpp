#include <gtest/gtest.h>

#include "wizard/page_sequence.h"

namespace {

PageSequenceInputs FullScript() {
  PageSequenceInputs inputs;
  inputs.ShowLicense = 1;
  inputs.ShowInformation = 1;
  inputs.componentCount = 3;
  inputs.osCode = 60;
  inputs.isAdministrator = true;
  inputs.CreateGroup = 1;
  return inputs;
}

TEST(PageSequence, EveryPageOnAnAdministratorsXp) {
  int offered = 0;
  EXPECT_EQ("0,1,2,3,4,5,6,7,8,9,10", BuildPageSequence(FullScript(), &offered));
  EXPECT_EQ(1, offered);
}

TEST(PageSequence, MinimalScriptOnWindows98) {
  PageSequenceInputs inputs;
  inputs.componentCount = 1;
  inputs.osCode = 30;
  inputs.isAdministrator = true;  // no mode page outside the NT family
  int offered = 0;
  EXPECT_EQ("0,4,7,8,9,10", BuildPageSequence(inputs, &offered));
  EXPECT_EQ(0, offered);
}

TEST(PageSequence, EachKeyLeavesOutItsPage) {
  PageSequenceInputs inputs = FullScript();
  inputs.ShowLicense = 2;  // only 1 switches a page on
  EXPECT_EQ("0,2,3,4,5,6,7,8,9,10", BuildPageSequence(inputs, nullptr));
  inputs = FullScript();
  inputs.ShowInformation = 0;
  inputs.componentCount = 1;
  EXPECT_EQ("0,1,4,5,6,7,8,9,10", BuildPageSequence(inputs, nullptr));
  inputs = FullScript();
  inputs.IsPathEnforced = 1;
  inputs.CreateGroup = 0;
  EXPECT_EQ("0,1,2,3,5,7,8,9,10", BuildPageSequence(inputs, nullptr));
}

TEST(PageSequence, ModePageNeedsNtFamilyAndAdministrator) {
  PageSequenceInputs inputs = FullScript();
  const struct {
    int osCode;
    bool admin;
    bool offered;
  } cases[] = {{20, true, true},  {50, true, true},   {80, true, true},   {100, true, true},
               {10, true, false}, {40, true, false},  {60, false, false}, {20, false, false}};
  for (const auto &c : cases) {
    inputs.osCode = c.osCode;
    inputs.isAdministrator = c.admin;
    int offered = 0;
    std::string sequence = BuildPageSequence(inputs, &offered);
    EXPECT_EQ(c.offered, sequence.find(",5,") != std::string::npos) << c.osCode;
    EXPECT_EQ(c.offered ? 1 : 0, offered) << c.osCode;
  }
}

TEST(PageSequence, FieldsAreReadByPosition) {
  const std::string sequence = "0,4,7,8,9,10";
  EXPECT_EQ(0, PageSequenceField(sequence, 1));
  EXPECT_EQ(7, PageSequenceField(sequence, 3));
  EXPECT_EQ(10, PageSequenceField(sequence, 6));
  EXPECT_EQ(-1, PageSequenceField(sequence, 7));
  EXPECT_EQ(-1, PageSequenceField(sequence, 0));
  EXPECT_EQ(-1, PageSequenceField("0,,4", 2));
  EXPECT_EQ(-1, PageSequenceField("0,x", 2));
  EXPECT_EQ(-1, PageSequenceField("", 1));
}

}  // namespace
