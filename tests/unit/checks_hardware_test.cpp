// The processor-speed and memory requirements with their two passes.
#include "checks/hardware_requirements.h"
#include "tests/unit/checks_test_support.h"

namespace {

const uint64_t kMB = 1024 * 1024;

ScriptSettings Thresholds() {
  ScriptSettings s;
  s.CheckSysRequirements = 1;
  s.CheckCPUSpeed = 1;
  s.CPUSpeedMin = 1000;
  s.CPUSpeedRec = 2000;
  s.CheckMemSize = 1;
  s.MemSizeMin = 512;
  s.MemSizeRec = 1024;
  return s;
}

const char kMinimumHeading[] =
    "Your computer doesn't seem to cover the minimum system requirements needed to run "
    "$APPNAME$ correctly:\r\n\r\n";
const char kRecommendedHeading[] =
    "Your computer doesn't seem to cover the recommended system requirements needed to run "
    "$APPNAME$ correctly:\r\n\r\n";
const char kCpuLine[] = "- You need a processor running at a minimum of 1000 MHz (2000 MHz recommended).\r\n";
const char kMemLine[] = "- You need a minimum RAM size of 512 MB (1024 MB recommended)\r\n";
const char kAsk[] =
    "\r\nNote that the performance and stability of $APPNAME$ might be severely affected. Would "
    "you like to continue the installation?";

TEST(MemoryCount, WholeMegabytesPlusOne) {
  EXPECT_EQ(MemoryMegabytes(511 * kMB + kMB - 1), 512);
  EXPECT_EQ(MemoryMegabytes(512 * kMB), 513);
  EXPECT_EQ(MemoryMegabytes(0), 1);
  EXPECT_EQ(MemoryMegabytes(UINT64_MAX), INT64_C(17592186044416));  // 2^44
}

TEST_F(CheckTest, NothingIsMeasuredUnlessTheCheckIsOn) {
  ScriptSettings s = Thresholds();
  s.CheckSysRequirements = 2;
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckContinue);
  EXPECT_EQ(machine.speedMeasured + machine.memoryMeasured, 0);
  EXPECT_TRUE(machine.shown.empty());
}

TEST_F(CheckTest, ValuesAtTheThresholdsPassBothPasses) {
  ScriptSettings s = Thresholds();
  machine.speed = 2000;
  machine.memory = 1023 * kMB;  // counts as 1024
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckContinue);
  EXPECT_TRUE(machine.shown.empty());
  EXPECT_EQ(machine.speedMeasured, 2);  // timed afresh in each pass
  EXPECT_EQ(machine.memoryMeasured, 2);
}

TEST_F(CheckTest, MissedMinimumYesContinuesWithoutTheRecommendedReport) {
  ScriptSettings s = Thresholds();
  machine.speed = 999;
  machine.memory = 4096 * kMB;
  machine.answers.push_back(true);
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckContinue);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].caption, "Information");
  EXPECT_EQ(machine.shown[0].buttons, kCheckButtonsYesNo);
  EXPECT_EQ(machine.shown[0].icon, kCheckIconExclamation);
  EXPECT_EQ(machine.shown[0].text, std::string(kMinimumHeading) + kCpuLine + kAsk);
  EXPECT_EQ(machine.speedMeasured, 1);

  machine.answers.push_back(false);
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckEndInstaller);
}

TEST_F(CheckTest, MissedRecommendationListsProcessorThenMemory) {
  ScriptSettings s = Thresholds();
  machine.speed = 1500;
  machine.memory = 600 * kMB;
  machine.answers.push_back(false);
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].text, std::string(kRecommendedHeading) + kCpuLine + kMemLine + kAsk);
}

TEST_F(CheckTest, FailFlagsTellAndEndWithoutAsking) {
  ScriptSettings s = Thresholds();
  s.CheckCPUSpeed = 0;
  s.FailRecommendedReqs = 1;
  machine.memory = 700 * kMB;
  machine.answers.push_back(true);  // never asked
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckEndInstaller);
  ASSERT_EQ(machine.shown.size(), 1u);
  EXPECT_EQ(machine.shown[0].buttons, kCheckButtonsOk);
  EXPECT_EQ(machine.shown[0].text, std::string(kRecommendedHeading) + kMemLine +
                                       "\r\nThe installation process cannot continue.");
  EXPECT_EQ(machine.speedMeasured, 0);

  s.FailMinimumReqs = 1;
  s.FailRecommendedReqs = 0;
  machine.memory = 100 * kMB;
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckEndInstaller);
  EXPECT_EQ(machine.shown.back().text, std::string(kMinimumHeading) + kMemLine +
                                           "\r\nThe installation process cannot continue.");
}

TEST_F(CheckTest, ZeroSpeedMissesPositiveThresholdsOnly) {
  ScriptSettings s = Thresholds();
  s.CheckMemSize = 0;
  s.CPUSpeedMin = 0;
  s.CPUSpeedRec = 0;
  machine.speed = 0;
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckContinue);
  s.CPUSpeedRec = 1;
  EXPECT_EQ(CheckHardwareRequirements(s, env), kCheckEndInstaller);  // asked, no answer: No
}

}  // namespace
