// The settings file paramter.dat on real files, what "保　　存" of the
// settings window changes and refuses, the data files carried over to a new
// data folder, and the window's folder list lines.
#include "settings/parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/file_store.h"
#include "settings/folder_list.h"
#include "settings/settings_save.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

class ParametersTest : public testing_support::ScratchFolderTest {
 protected:
  std::string Get() const { return ReadWholeFile(path_).bytes; }
  const std::string path_ = ParameterFilePath(folder_.Folder());
};

std::string Lines(int count, const std::string& prefix) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\"" + prefix + std::to_string(i) + "\"\r\n";
  return text;
}

std::vector<std::string> First(const ParameterItems& items, std::size_t count) {
  return std::vector<std::string>(items.begin(), items.begin() + static_cast<long>(count));
}

TEST_F(ParametersTest, MissingFileGivesEmptyItemsAndShortOneFillsTheFirstAndSavesAllLines) {
  const ParametersLoad missing = LoadParameters(path_);
  EXPECT_TRUE(!missing.fileRead && missing.items == ParameterItems{});
  ScratchFolder::Put(path_, Lines(20, "v") + "\"\xB5\xFF\"\r\n");  // not code page 936: kept as read, every save (fuzzed)
  ParametersLoad load = LoadParameters(path_);
  EXPECT_EQ(load.items[19] + std::to_string(load.invalidBytes), "v192");
  load.items[19] = " v19 ";  // saved trimmed, as every item is read
  // Saved: all 51 lines, the missing ones empty, in the program folder under
  // the file's own name (a folder given with its separator gets no second one).
  ASSERT_TRUE(SaveParameters(path_, load.items).saved);
  std::string empty;
  for (int i = 21; i < 51; ++i) empty += "\"\"\r\n";
  EXPECT_EQ(Get(), Lines(20, "v") + "\"\xB5\xFF\"\r\n" + empty);
  EXPECT_EQ(ParameterFilePath(std::string("dir") + kPathSeparator), std::string("dir") + kPathSeparator + "paramter.dat");
}

TEST_F(ParametersTest, FieldsAreReadTrimmedAndSavesNeitherShiftItemsNorTakeUnmappableText) {
  // Blanks and tabs are trimmed, the ideographic space is not.
  EXPECT_EQ(First(ParseParameters("   abc \t \r\na,b\r\n\"  q  \" tail\r\n\"x\",\"y\"\r\n\xE3\x80\x80z\r\n"), 8),
            (std::vector<std::string>{"abc", "a", "b", "q", "x", "y", "\xE3\x80\x80z", ""}));
  ParameterItems items;
  items[3] = "say \"hi\" now";
  items[4] = "two\r\nlines\rand\nmore";
  items[5] = "after, comma";
  ASSERT_TRUE(SaveParameters(path_, items).saved);
  EXPECT_EQ(First(LoadParameters(path_).items, 6),
            (std::vector<std::string>{"", "", "", "say ＂hi＂ now", "two lines and more", "after, comma"}));

  ScratchFolder::Put(path_, Lines(51, "old"));  // an item with no code page 936 form keeps the old file
  items[0] = "C:\\\xF0\x9F\x98\x80";  // typed by the user, an emoji
  const ParametersSave save = SaveParameters(path_, items);
  EXPECT_TRUE(!save.saved && save.unmappable == 1u);
  EXPECT_EQ(Get(), Lines(51, "old"));
}

TEST(SettingsControls, MirrorTheItemsAndASaveChangesThoseOnlyAndRefusesWhatTheFileCannotHold) {
  ParameterItems items;
  items[14] = "left";  // not mirrored by a control: left alone
  SettingsToParameters({"  D:\\data  ", " ring.wav", MakeColour(0, 0, 255), {1, 0, 1, 1, 0, 0},
                        {0xFFFFFF, 1, 2, 3, 4, 5, 0x808080}},
                       items);
  EXPECT_EQ(First(items, 18), (std::vector<std::string>{"D:\\data", "1", "0", "1", "1", "0", "0", "16777215", "1", "2",
                                                        "3", "4", "5", "8421504", "left", "", "ring.wav", "16711680"}));
  ParameterItems again = items;
  SettingsToParameters(ParametersToSettings(items), again);
  EXPECT_EQ(again, items) << "the controls show what the items hold";
  // Empty items are switches off and colours black; any non-zero switch is
  // ticked, and numbers are read leniently.
  ParameterItems odd;
  odd[2] = "-1";
  odd[8] = " 255abc";
  const SettingsControls fromOdd = ParametersToSettings(odd);
  EXPECT_TRUE(fromOdd.switches == (std::array{0, 1, 0, 0, 0, 0}) && fromOdd.colours == (std::array<Colour, 7>{0, 255}));

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
  EXPECT_EQ(plan.items[kParamOnTop] + "," + plan.items[kParamBackground] + "," + plan.items[40], "0,16777215,kept");
  controls.dataFolder = "D:\\新数据";  // there or not, with the list window open or not
  EXPECT_TRUE(PlanSettingsSave(current, controls, {true, false}).dataFolderChanged);
  EXPECT_TRUE(PlanSettingsSave(current, controls, {false, false}).refusal.find("不存在") != std::string::npos &&
              PlanSettingsSave(current, controls, {true, true}).refusal.find("先关闭") != std::string::npos);
  controls.soundFile = "D:\\\xEC\x86\x8C\xEB\xA6\xAC.wav";  // Hangul, which GBK lacks
  plan = PlanSettingsSave(current, controls, {true, false});
  EXPECT_NE(plan.refusal.find("声音文件"), std::string::npos);
  EXPECT_EQ(plan.items, ParameterItems{}) << "a refused save changes nothing";
  controls.dataFolder = "D:\\\xF0\x9F\x98\x80";
  EXPECT_NE(PlanSettingsSave(current, controls, {true, false}).refusal.find("数据文件夹"), std::string::npos);
}

TEST(SettingsSave, MissingDataFilesAreCopiedNeverReplacedAndTheOldOnesStay) {
  const ScratchFolder scratch("settings");
  const std::string oldFolder = scratch.File("old"), newFolder = scratch.File("new");
  std::filesystem::create_directories(oldFolder), std::filesystem::create_directories(newFolder);
  const auto at = [](const std::string& folder, const char* name) { return folder + kPathSeparator + name; };
  ScratchFolder::Put(at(oldFolder, "schedule.dat"), "old records");
  ScratchFolder::Put(at(oldFolder, "timer.dat"), "old reminders");
  ScratchFolder::Put(at(newFolder, "schedule.dat"), "new records");

  EXPECT_TRUE(CopyMissingDataFiles(oldFolder, oldFolder + kPathSeparator).copied.empty());
  // A disk that fills up: the file that failed is named, nothing is left.
  file_store_testing::SetFault(2);  // its first write
  DataFilesCopy copy = CopyMissingDataFiles(oldFolder, newFolder);
  file_store_testing::SetFault(0);
  EXPECT_TRUE(copy.failedPath == at(oldFolder, "timer.dat") && !copy.error.empty());
  EXPECT_FALSE(std::filesystem::exists(at(newFolder, "timer.dat")));

  copy = CopyMissingDataFiles(oldFolder, newFolder);
  EXPECT_TRUE(copy.copied == std::vector<std::string>{"timer.dat"} && copy.failedPath.empty());
  EXPECT_EQ(ScratchFolder::Get(at(newFolder, "schedule.dat")) + "," + ScratchFolder::Get(at(newFolder, "timer.dat")) +
                "," + ScratchFolder::Get(at(oldFolder, "schedule.dat")),
            "new records,old reminders,old records");
  EXPECT_EQ(DataFilesCopiedText(copy.copied, "C:\\a", "D:\\b"),
            "新的数据文件夹 D:\\b 中没有 timer.dat，已从原来的文件夹 C:\\a 复制过去，原来的文件仍然保留。");
}

TEST(FolderList, LinesRunFromTheRootToTheOpenFolderThenTheVisibleFoldersOfARealOneSorted) {
  const std::vector<FolderLine> lines = FolderLines("c:/Users\\me\\", {"b", "Apps", "a"});
  std::vector<std::string> texts, paths;
  for (const FolderLine& line : lines) texts.push_back(line.text), paths.push_back(line.path);
  EXPECT_EQ(texts, (std::vector<std::string>{"c:\\", " Users\\", "  me", "   a", "   Apps", "   b"}));
  EXPECT_EQ(paths, (std::vector<std::string>{"c:\\", "c:\\Users", "c:\\Users\\me", "c:\\Users\\me\\a",
                                             "c:\\Users\\me\\Apps", "c:\\Users\\me\\b"}));
  EXPECT_EQ(OpenedLine(lines), 2u);
  const std::vector<FolderLine> root = FolderLines("D:\\", {"x"});
  EXPECT_EQ(root[1].path + std::to_string(OpenedLine(root)) + FolderLines("\\\\srv\\share\\d", {})[1].path, "D:\\x0\\\\srv\\share\\d");
  EXPECT_EQ(ParentFolder("C:\\a") + "," + ParentFolder("C:\\") + "," + ParentFolder("\\\\srv\\share"),
            "C:\\,C:\\,\\\\srv\\share\\");
  // The platform's backend on a real folder: its visible folders only.
  const ScratchFolder scratch("folders");
  for (const char* name : {"b", "A"}) std::filesystem::create_directory(scratch.File(name));
  if (kPathSeparator == '/') std::filesystem::create_directory(scratch.File(".hidden"));  // hidden by its name
  ScratchFolder::Put(scratch.File("c.txt"), "");
  const std::optional<FolderListing> listing = ListFolder(scratch.File("A") + kPathSeparator + "..");
  ASSERT_TRUE(listing && std::filesystem::equivalent(listing->folder, scratch.Folder()));
  const std::vector<FolderLine> real = FolderLines("C:\\x", listing->inside);
  EXPECT_TRUE(real.size() == 4 && real[2].text + real[3].text == "  A  b");
  EXPECT_TRUE(!ListFolder(scratch.File("c.txt")) && !ListFolder(scratch.File("none")) && !ListFolder(""));
  EXPECT_TRUE(!DriveRoots().empty() && ListFolder(DriveRoots().front()));
}

}  // namespace
}  // namespace quillet
