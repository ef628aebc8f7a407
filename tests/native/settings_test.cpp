// The settings window's folder list lines ("试听": reminder_test).
#include <gtest/gtest.h>

#include "settings/folder_list.h"

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

}  // namespace
}  // namespace quillet
