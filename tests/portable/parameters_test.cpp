#include "settings/parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/file_store.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

class ParametersTest : public testing_support::ScratchFolderTest {
 protected:
  void Put(const std::string& bytes) const { testing_support::ScratchFolder::Put(path_, bytes); }
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
  Put(Lines(20, "v") + "\"\xB5\xFF\"\r\n");  // not code page 936: kept as read, every save (fuzzed)
  ParametersLoad load = LoadParameters(path_);
  EXPECT_EQ(load.items[19] + std::to_string(load.invalidBytes), "v192");
  load.items[19] = " v19 ";  // saved trimmed, as every item is read
  // Saved: all 51 lines, the missing ones empty, in the program folder under
  // the file's own name (a folder given with its separator gets no second one).
  ASSERT_TRUE(SaveParameters(path_, load.items).saved);
  std::string empty;
  for (int i = 21; i < 51; ++i) empty += "\"\"\r\n";
  EXPECT_EQ(Get(), Lines(20, "v") + "\"\xB5\xFF\"\r\n" + empty);
  EXPECT_EQ(ParameterFilePath(std::string("dir") + kPathSeparator),
            std::string("dir") + kPathSeparator + "paramter.dat");
}

TEST_F(ParametersTest, FieldsAreReadTrimmedAndSavesNeitherShiftItemsNorTakeUnmappableText) {
  EXPECT_EQ(First(ParseParameters("   abc   \r\na,b\r\n\"  q  \" tail\r\n\"x\",\"y\"\r\n"), 7),
            (std::vector<std::string>{"abc", "a", "b", "q", "x", "y", ""}));
  ParameterItems items;
  items[3] = "say \"hi\" now";
  items[4] = "two\r\nlines";
  items[5] = "after";
  ASSERT_TRUE(SaveParameters(path_, items).saved);
  EXPECT_EQ(First(LoadParameters(path_).items, 6),
            (std::vector<std::string>{"", "", "", "say ＂hi＂ now", "two lines", "after"}));

  Put(Lines(51, "old"));  // an item with no code page 936 form keeps the old file
  items[0] = "C:\\\xF0\x9F\x98\x80";  // typed by the user, an emoji
  const ParametersSave save = SaveParameters(path_, items);
  EXPECT_FALSE(save.saved);
  EXPECT_EQ(save.unmappable, 1u);
  EXPECT_EQ(Get(), Lines(51, "old"));
}

TEST_F(ParametersTest, SettingsControlsMirrorTheItems) {
  ParameterItems items;
  items[14] = "left";  // not mirrored by a control: left alone
  SettingsToParameters({"  D:\\data  ", " ring.wav", MakeColour(0, 0, 255), {1, 0, 1, 1, 0, 0},
                        {0xFFFFFF, 1, 2, 3, 4, 5, 0x808080}},
                       items);
  EXPECT_EQ(First(items, 18),
            (std::vector<std::string>{"D:\\data", "1", "0", "1", "1", "0", "0", "16777215", "1",
                                      "2", "3", "4", "5", "8421504", "left", "", "ring.wav",
                                      "16711680"}));
  ParameterItems again = items;
  SettingsToParameters(ParametersToSettings(items), again);
  EXPECT_EQ(again, items) << "the controls show what the items hold";

  // Empty items are switches off and colours black; any non-zero switch is
  // ticked, and numbers are read leniently.
  ParameterItems odd;
  odd[2] = "-1";
  odd[8] = " 255abc";
  EXPECT_EQ(ParametersToSettings(odd).switches, (std::array<int, 6>{0, 1, 0, 0, 0, 0}));
  EXPECT_EQ(ParametersToSettings(odd).colours, (std::array<Colour, 7>{0, 255, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace quillet
