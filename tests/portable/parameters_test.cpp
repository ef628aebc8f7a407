#include "settings/parameters.h"

#include <gtest/gtest.h>


#include "base/file_store.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

class ParametersTest : public testing_support::ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    path_ = ParameterFilePath(folder_.Folder());
  }
  void Put(const std::string& bytes) const { testing_support::ScratchFolder::Put(path_, bytes); }
  std::string Get() const { return ReadWholeFile(path_).bytes; }

  std::string path_;
};

std::string Lines(int count, const std::string& prefix) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "\"" + prefix + std::to_string(i) + "\"\r\n";
  return text;
}

TEST_F(ParametersTest, ShortFileFillsTheFirstItemsAndSavesAllLines) {
  Put(Lines(20, "v"));
  ParametersLoad load = LoadParameters(path_);
  ASSERT_TRUE(load.fileRead);
  EXPECT_EQ(load.items[0], "v0");
  EXPECT_EQ(load.items[19], "v19");
  for (std::size_t i = 20; i < kParameterCount; ++i) EXPECT_EQ(load.items[i], "") << i;

  // Saved: all 51 lines, in the program folder under the file's own name
  // (a folder given with its separator gets no second one).
  ASSERT_TRUE(SaveParameters(path_, load.items).saved);
  std::string empty;
  for (int i = 20; i < 51; ++i) empty += "\"\"\r\n";
  EXPECT_EQ(Get(), Lines(20, "v") + empty);
  EXPECT_EQ(ParameterFilePath(std::string("dir") + kPathSeparator),
            std::string("dir") + kPathSeparator + "paramter.dat");
}

TEST_F(ParametersTest, FieldsAreReadLikeDelimitedDataAndTrimmed) {
  ParameterItems items = ParseParameters("   abc   \r\na,b\r\n\"  q  \" tail\r\n\"x\",\"y\"\r\n");
  EXPECT_EQ(items[0], "abc");
  EXPECT_EQ(items[1], "a");
  EXPECT_EQ(items[2], "b");
  EXPECT_EQ(items[3], "q");
  EXPECT_EQ(items[4], "x");
  EXPECT_EQ(items[5], "y");
  EXPECT_EQ(items[6], "");
}

TEST_F(ParametersTest, UnusedItemsAndChineseTextSurviveARoundTrip) {
  ParameterItems items;
  items[0] = "D:\\我的数据";
  items[16] = "C:\\声音\\提醒.wav";
  for (std::size_t i = 18; i < kParameterCount; ++i) items[i] = "  keep " + std::to_string(i) + " ";
  ASSERT_TRUE(SaveParameters(path_, items).saved);
  const std::string bytes = Get();
  EXPECT_NE(bytes.find("\"D:\\\xCE\xD2\xB5\xC4\xCA\xFD\xBE\xDD\"\r\n"), std::string::npos);  // GBK on disk

  ParametersLoad load = LoadParameters(path_);
  EXPECT_EQ(load.invalidBytes, 0u);
  EXPECT_EQ(load.items[0], "D:\\我的数据");
  EXPECT_EQ(load.items[16], "C:\\声音\\提醒.wav");
  for (std::size_t i = 18; i < kParameterCount; ++i) EXPECT_EQ(load.items[i], "keep " + std::to_string(i));
  ASSERT_TRUE(SaveParameters(path_, load.items).saved);
  EXPECT_EQ(Get(), bytes);
}

TEST_F(ParametersTest, QuotesAndLineBreaksInAnItemCannotShiftLaterItems) {
  ParameterItems items;
  items[3] = "say \"hi\" now";
  items[4] = "two\r\nlines";
  items[5] = "after";
  ASSERT_TRUE(SaveParameters(path_, items).saved);
  const ParameterItems back = LoadParameters(path_).items;
  EXPECT_EQ(back[3], "say ＂hi＂ now");
  EXPECT_EQ(back[4], "two lines");
  EXPECT_EQ(back[5], "after");
}

TEST_F(ParametersTest, MissingFileGivesEmptyItemsAndUnwritableTextKeepsTheOldFile) {
  const ParametersLoad missing = LoadParameters(path_);
  EXPECT_FALSE(missing.fileRead);
  for (const auto& item : missing.items) EXPECT_EQ(item, "");

  Put(Lines(51, "old"));
  ParameterItems items;
  items[0] = "C:\\\xF0\x9F\x98\x80";  // an emoji: no code page 936 form
  const ParametersSave save = SaveParameters(path_, items);
  EXPECT_FALSE(save.saved);
  EXPECT_EQ(save.unmappable, 1u);
  EXPECT_EQ(Get(), Lines(51, "old"));

  // A bad byte in the file is reported and read as U+FFFD, not dropped.
  Put("\"a\xFF\"\r\n");
  const ParametersLoad bad = LoadParameters(path_);
  EXPECT_EQ(bad.invalidBytes, 1u);
  EXPECT_EQ(bad.items[0], "a\xEF\xBF\xBD");
}

TEST_F(ParametersTest, SettingsControlsMirrorTheItems) {
  ParameterItems items;
  items[20] = "untouched";
  SettingsControls controls;
  controls.dataFolder = "  D:\\data  ";
  controls.soundFile = " ring.wav";
  controls.buttonTextColour = MakeColour(0, 0, 255);
  controls.switches = {1, 0, 1, 1, 0, 0};
  controls.colours = {0xFFFFFF, 1, 2, 3, 4, 5, 0x808080};
  SettingsToParameters(controls, items);
  EXPECT_EQ(items[0], "D:\\data");
  EXPECT_EQ(items[16], "ring.wav");
  EXPECT_EQ(items[17], "16711680");
  EXPECT_EQ(items[1], "1");
  EXPECT_EQ(items[2], "0");
  EXPECT_EQ(items[6], "0");
  EXPECT_EQ(items[7], "16777215");
  EXPECT_EQ(items[13], "8421504");
  EXPECT_EQ(items[20], "untouched");

  const SettingsControls back = ParametersToSettings(items);
  EXPECT_EQ(back.dataFolder, "D:\\data");
  EXPECT_EQ(back.soundFile, "ring.wav");
  EXPECT_EQ(back.buttonTextColour, MakeColour(0, 0, 255));
  EXPECT_EQ(back.switches, controls.switches);
  EXPECT_EQ(back.colours, controls.colours);

  // Empty items are the program's defaults: switches off, colours black.
  const SettingsControls defaults = ParametersToSettings(ParameterItems{});
  EXPECT_EQ(defaults.colours[0], 0u);
  EXPECT_EQ(defaults.switches[1], 0);
  ParameterItems odd;
  odd[2] = "-1";  // any non-zero switch counts as ticked
  odd[8] = " 255abc";
  EXPECT_EQ(ParametersToSettings(odd).switches[1], 1);
  EXPECT_EQ(ParametersToSettings(odd).colours[1], 255u);
}

}  // namespace
}  // namespace quillet
