// The shell's window arithmetic and start-up rules, and the delivered files.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

#include "base/codepage.h"
#include "base/units.h"
#include "base/window_geometry.h"
#include "forms/pictures.h"
#include "forms/window_definition.h"
#include "settings/default_settings.h"
#include "shell/panel_layout.h"
#include "shell/startup.h"

namespace quillet {
namespace {

std::string ReadDelivered(const char* name) {
  std::ifstream in(std::string(QUILLET_SOURCE_DIR) + "/data/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(RoundCorners, InsetDependsOnTheRadius) {
  // The panel: 1700 x 4260 twips are 113 x 284 pixels at 96 dpi.
  const RoundRegion panel = RoundCornersRegion(TwipsToPixels(1700, 96), TwipsToPixels(4260, 96), 20);
  EXPECT_EQ((std::array{panel.left, panel.top, panel.right, panel.bottom, panel.ellipse}),
            (std::array{4, 4, 109, 280, 20}));
  EXPECT_EQ(RoundCornersRegion(100, 50, 15).left, 2);
  EXPECT_EQ(RoundCornersRegion(100, 50, 15).right, 98);
  EXPECT_EQ(RoundCornersRegion(100, 50, 16).left, 4);
}

TEST(CursorTests, EdgesCountAsOutside) {
  // A panel hidden at the left (-1590 twips) keeps pixels 0..6 on screen.
  const ScreenBox box{-106, 20, 7, 304};
  const struct { int x, y; bool inside; } probes[] = {
      {-106, 100, false}, {-105, 100, true}, {6, 100, true}, {7, 100, false},
      {3, 20, false},     {3, 304, false},   {3, 303, true}};
  for (const auto& p : probes) EXPECT_EQ(StrictlyInside(box, p.x, p.y), p.inside) << p.x << "," << p.y;
}

TEST(PanelLayout, ButtonEdgesRoundOnTheirOwn) {
  // The main panel's test checks all eight buttons in place.
  const TwipBox last = PanelButtonBox(7, 1700, 4260);
  EXPECT_DOUBLE_EQ(last.left, 100);
  EXPECT_DOUBLE_EQ(last.top, 3702.5);
  EXPECT_DOUBLE_EQ(last.width, 1300);
  EXPECT_DOUBLE_EQ(last.height, 407.5);
  // In pixels each edge rounds on its own: neighbours keep the same gap.
  const PixelBox first = ToPixels(ButtonControl("Pic", 0, 100, 500, 1300, 407.5, ""), 96);
  const PixelBox second = ToPixels(ButtonControl("Pic", 1, 100, 957.5, 1300, 407.5, ""), 144);
  EXPECT_EQ(first.left, 7);
  EXPECT_EQ(first.top, 33);
  EXPECT_EQ(first.top + first.height, 60);  // 907.5 twips = 60.5 pixels, halves to even
  EXPECT_EQ(second.top, 96);                // 957.5 twips at 144 dpi = 95.75
  EXPECT_EQ(second.width, 130);
}

TEST(PanelDateText, PadsEveryParenthesis) {
  EXPECT_EQ(PanelDateText("2006-5-1", "农历丙戌年(狗)四月初四"),
            "今天: 2006-5-1  ( 丙戌年  ( 狗 )  四月初四 )  ");
  // Outside the engine's range the lunar part is simply empty.
  EXPECT_EQ(PanelDateText("2200-1-1", ""), "今天: 2200-1-1  (  )  ");
}

TEST(Startup, SecondCopyMessageNamesTheProgramFile) {
  EXPECT_EQ(AlreadyRunningText("C:\\Tools\\quillet.exe"),
            "quillet已经在运行，请检查隐藏在屏幕边上的Quillet");
  EXPECT_EQ(AlreadyRunningText("Z:/a.b/My Panel.EXE"), "My Panel已经在运行，请检查隐藏在屏幕边上的Quillet");
  EXPECT_EQ(AlreadyRunningText("organiser"), "organiser已经在运行，请检查隐藏在屏幕边上的Quillet");
}

TEST(Startup, MissingFileIsAFirstRunInTheProgramFolder) {
  ParametersLoad none;  // no file
  const ParameterItems first = StartupSettings(none, "C:\\Quillet");
  EXPECT_EQ(first[kParamDataFolder], "C:\\Quillet");
  EXPECT_EQ(first[kParamDocking], "1");
  EXPECT_EQ(first[kParamTrayButton], "1");
  EXPECT_EQ(ColourFromText(first[kParamBackground]), kDefaultBackground);
  EXPECT_NE(ColourFromText(first[kParamButtonColour]), 0u);
  for (std::size_t i = kParamFirstStateColour; i < kParamFirstStateColour + 5; ++i) {
    EXPECT_NE(ColourFromText(first[i]), 0u) << i;
  }

  // A file that was read is taken as it is, black colours and all; only an
  // empty data folder is replaced.
  ParametersLoad read;
  read.fileRead = true;
  read.items[kParamDataFolder] = "  ";
  read.items[kParamPanelLeft] = "-1590";
  const ParameterItems kept = StartupSettings(read, "D:\\Q");
  EXPECT_EQ(kept[kParamDataFolder], "D:\\Q");
  EXPECT_EQ(kept[kParamPanelLeft], "-1590");
  EXPECT_EQ(kept[kParamBackground], "");
  read.items[kParamDataFolder] = "E:\\data";
  EXPECT_EQ(StartupSettings(read, "D:\\Q")[kParamDataFolder], "E:\\data");
}

TEST(DeliveredFiles, SettingsFileHoldsTheFirstRunSkin) {
  const std::string bytes = ReadDelivered("paramter.dat");
  ASSERT_FALSE(bytes.empty());
  std::size_t lines = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == '\r' && bytes[i + 1] == '\n') ++lines;
  }
  EXPECT_EQ(lines, kParameterCount);
  const Cp936Decoded text = DecodeCp936(bytes);
  EXPECT_EQ(text.invalidBytes, 0u);
  EXPECT_EQ(ParseParameters(text.utf8), DefaultSettings(""));
}

TEST(DeliveredFiles, HelpTextIsCodePage936WithCrLfLines) {
  const std::string bytes = ReadDelivered("Help.dat");
  EXPECT_EQ(DecodeCp936(bytes).invalidBytes, 0u);
  // Every line ends with CR LF, the last one too; no lone LF.
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "byte " << i;
    }
  }
}

TEST(Pictures, CornerPicturesHaveTwoDistinctLooks) {
  for (auto [normal, lit] : {std::pair{Artwork::CloseNormal, Artwork::CloseHighlight},
                             std::pair{Artwork::TrayNormal, Artwork::TrayHighlight}}) {
    const PixelArt a = RenderArtwork(normal);
    const PixelArt b = RenderArtwork(lit);
    EXPECT_EQ(a.width, 20);
    EXPECT_EQ(a.height, 21);
    EXPECT_EQ(a.pixels.size(), 20u * 21u);
    EXPECT_NE(a.pixels, b.pixels);
    // The margin is white so that the back colour shows round the picture.
    EXPECT_EQ(a.pixels.front(), 0xFFFFFFu);
    EXPECT_EQ(b.pixels.back(), 0xFFFFFFu);
  }
  const PixelArt logo = RenderArtwork(Artwork::Logo);
  EXPECT_EQ(logo.width, 20);
  EXPECT_EQ(logo.height, 20);
}

}  // namespace
}  // namespace quillet
