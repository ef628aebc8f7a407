// What "保　　存" of the settings window changes and refuses, and the data
// files carried over to a new data folder, on real files.
#include "settings/settings_save.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_store.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

TEST(SettingsSave, ChangesTheMirroredItemsOnlyAndRefusesWhatTheFileCannotHold) {
  ParameterItems current;
  current[kParamDataFolder] = "C:\\Data";
  current[40] = "kept";
  SettingsControls controls = ParametersToSettings(current);
  controls.dataFolder = "  c:/data\\ ";  // the same folder, written otherwise
  controls.switches[kParamOnTop - kParamFirstSwitch] = 0;
  controls.colours[0] = 0xFFFFFF;
  SettingsSavePlan plan = PlanSettingsSave(current, controls, {});
  ASSERT_EQ(plan.refusal, "");
  EXPECT_FALSE(plan.dataFolderChanged);
  EXPECT_EQ(plan.items[kParamOnTop], "0");
  EXPECT_EQ(plan.items[kParamBackground], "16777215");
  EXPECT_EQ(plan.items[40], "kept");

  controls.dataFolder = "D:\\新数据";
  EXPECT_TRUE(PlanSettingsSave(current, controls, {true, false}).dataFolderChanged);
  EXPECT_NE(PlanSettingsSave(current, controls, {false, false}).refusal.find("不存在"), std::string::npos);
  EXPECT_NE(PlanSettingsSave(current, controls, {true, true}).refusal.find("先关闭"), std::string::npos);
  controls.soundFile = "D:\\\xEC\x86\x8C\xEB\xA6\xAC.wav";  // Hangul, which GBK lacks
  plan = PlanSettingsSave(current, controls, {true, false});
  EXPECT_NE(plan.refusal.find("声音文件"), std::string::npos);
  EXPECT_EQ(plan.items, ParameterItems{}) << "a refused save changes nothing";
  controls.dataFolder = "D:\\\xF0\x9F\x98\x80";
  EXPECT_NE(PlanSettingsSave(current, controls, {true, false}).refusal.find("数据文件夹"), std::string::npos);
}

TEST(SettingsSave, MissingDataFilesAreCopiedNeverReplacedAndTheOldOnesStay) {
  const ScratchFolder scratch("settings");
  const std::string oldFolder = scratch.File("old");
  const std::string newFolder = scratch.File("new");
  std::filesystem::create_directories(oldFolder);
  std::filesystem::create_directories(newFolder);
  const auto at = [](const std::string& folder, const char* name) {
    return folder + kPathSeparator + name;
  };
  ScratchFolder::Put(at(oldFolder, "schedule.dat"), "old records");
  ScratchFolder::Put(at(oldFolder, "timer.dat"), "old reminders");
  ScratchFolder::Put(at(newFolder, "schedule.dat"), "new records");

  EXPECT_TRUE(CopyMissingDataFiles(oldFolder, oldFolder + kPathSeparator).copied.empty());
  // A disk that fills up: the file that failed is named, nothing is left.
  file_store_testing::SetFault(2);  // its first write
  DataFilesCopy copy = CopyMissingDataFiles(oldFolder, newFolder);
  file_store_testing::SetFault(0);
  EXPECT_EQ(copy.failedPath, at(oldFolder, "timer.dat"));
  EXPECT_NE(copy.error, "");
  EXPECT_FALSE(std::filesystem::exists(at(newFolder, "timer.dat")));

  copy = CopyMissingDataFiles(oldFolder, newFolder);
  EXPECT_EQ(copy.copied, std::vector<std::string>{"timer.dat"});
  EXPECT_EQ(copy.failedPath, "");
  EXPECT_EQ(ScratchFolder::Get(at(newFolder, "schedule.dat")), "new records");
  EXPECT_EQ(ScratchFolder::Get(at(newFolder, "timer.dat")), "old reminders");
  EXPECT_EQ(ScratchFolder::Get(at(oldFolder, "schedule.dat")), "old records");
  EXPECT_EQ(DataFilesCopiedText(copy.copied, "C:\\a", "D:\\b"),
            "新的数据文件夹 D:\\b 中没有 timer.dat，已从原来的文件夹 C:\\a 复制过去，原来的文件仍然保留。");
}

}  // namespace
}  // namespace quillet
