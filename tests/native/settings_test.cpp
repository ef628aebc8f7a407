// The settings window's folder list lines and its "试听" through a
// recording stand-in for the media commands.
#include <gtest/gtest.h>

#include "settings/folder_list.h"
#include "settings/sound_trial.h"

namespace quillet {
namespace {

TEST(FolderList, LinesRunFromTheRootToTheOpenFolderThenItsFoldersSorted) {
  const std::vector<FolderLine> lines = FolderLines("c:/Users\\me\\", {"b", "Apps", "a"});
  std::vector<std::string> texts, paths;
  for (const FolderLine& line : lines) {
    texts.push_back(line.text);
    paths.push_back(line.path);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"c:\\", " Users\\", "  me", "   a", "   Apps", "   b"}));
  EXPECT_EQ(paths, (std::vector<std::string>{"c:\\", "c:\\Users", "c:\\Users\\me", "c:\\Users\\me\\a",
                                             "c:\\Users\\me\\Apps", "c:\\Users\\me\\b"}));
  EXPECT_EQ(OpenedLine(lines), 2u);
  const std::vector<FolderLine> root = FolderLines("D:\\", {"x"});
  EXPECT_EQ(root[1].path, "D:\\x");
  EXPECT_EQ(OpenedLine(root), 0u);
  EXPECT_EQ(FolderLines("\\\\srv\\share\\d", {})[1].path, "\\\\srv\\share\\d");
  EXPECT_EQ(ParentFolder("C:\\a"), "C:\\");
  EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
  EXPECT_EQ(ParentFolder("\\\\srv\\share"), "\\\\srv\\share\\");
}

TEST(SoundTrial, PlaysTheTrimmedPathClosesWhenEndedAndLeavesTheBusyAliasAlone) {
  std::vector<std::string> sent;
  std::string mode = "playing";
  SoundPlayer player([&](const std::string& command) {
    sent.push_back(command);
    return MediaReply{0, mode};
  });
  SoundTrial trial(player);
  EXPECT_FALSE(trial.Press("   "));
  EXPECT_TRUE(trial.Press(" D:\\铃 声.wav "));
  EXPECT_TRUE(trial.StillPlaying());
  mode = "stopped";
  EXPECT_FALSE(trial.StillPlaying());
  EXPECT_FALSE(player.IsOpen());
  EXPECT_EQ(sent.front(), "Open \"D:\\铃 声.wav\" Alias MCI");
  ASSERT_TRUE(player.Play("C:\\pop-up.wav"));  // the reminder pop-up plays
  sent.clear();
  EXPECT_FALSE(trial.Press("D:\\铃 声.wav"));
  trial.Stop();
  EXPECT_TRUE(sent.empty()) << "neither opened nor closed under the pop-up";
}

}  // namespace
}  // namespace quillet
