#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <vector>

#include "base/codepage.h"
#include "base/file_store.h"
#include "base/text_lines.h"
#include "base/units.h"
#include "base/window_geometry.h"
#include "forms/pictures.h"
#include "forms/skin.h"
#include "forms/window_definition.h"
#include "settings/default_settings.h"
#include "shell/docking.h"
#include "shell/panel_layout.h"
#include "shell/startup.h"

namespace quillet {
namespace {

std::string ReadDelivered(const char* name) {
  std::ifstream in(std::string(QUILLET_SOURCE_DIR) + "/data/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(WindowGeometry, RoundCornersCursorTestsAndButtonEdgesRoundOnTheirOwn) {  // all buttons: main_panel_test
  const RoundRegion panel = RoundCornersRegion(TwipsToPixels(1700, 96), TwipsToPixels(4260, 96), 20);
  EXPECT_EQ((std::array{panel.left, panel.top, panel.right, panel.bottom, panel.ellipse}),
            (std::array{4, 4, 109, 280, 20}));
  const RoundRegion odd = RoundCornersRegion(100, 50, 15);
  EXPECT_EQ((std::array{odd.left, odd.right, RoundCornersRegion(100, 50, 16).left}), (std::array{2, 98, 4}));
  std::string inside;  // a panel hidden at the left keeps pixels 0..6 on screen
  for (const auto& [x, y] : {std::pair{-106, 100}, {-105, 100}, {6, 100}, {7, 100}, {3, 20}, {3, 304}, {3, 303}}) {
    inside += StrictlyInside(ScreenBox{-106, 20, 7, 304}, x, y) ? '1' : '0';
  }
  EXPECT_EQ(inside, "0110001");
  const TwipBox last = PanelButtonBox(7, 1700, 4260);
  EXPECT_EQ((std::array{last.left, last.top, last.width, last.height}), (std::array{100.0, 3702.5, 1300.0, 407.5}));
  const PixelBox first = ToPixels(ButtonControl({"Pic", 0}, 100, 500, 1300, 407.5, ""), 96);
  const PixelBox second = ToPixels(ButtonControl({"Pic", 1}, 100, 957.5, 1300, 407.5, ""), 144);
  // 907.5 twips = 60.5 pixels, halves to even; 957.5 twips at 144 dpi = 95.75.
  EXPECT_EQ((std::array{first.left, first.top, first.top + first.height}), (std::array{7, 33, 60}));
  EXPECT_EQ((std::array{second.top, second.width}), (std::array{96, 130}));
  // Tab's order: rows from the top, a tall table shares its row only with
  // what sits beside its top.
  const std::vector<PixelBox> boxes{{120, 50, 80, 20}, {10, 54, 80, 20},  {10, 10, 200, 20},
                                    {10, 80, 200, 300}, {220, 85, 60, 24}, {220, 350, 60, 24},
                                    {10, 400, 60, 24}};
  EXPECT_EQ(ReadingOrder(boxes), (std::vector<std::size_t>{2, 1, 0, 3, 4, 5, 6}));
}

// Song face: Chinese characters square, others half as wide.
int SongWidth(std::string_view text, int fontPx) {
  int halves = 0;
  for (const unsigned char c : text) halves += c < 0x80 ? 1 : c >= 0xC0 ? 2 : 0;
  return halves * fontPx / 2;
}

TEST(Palette, TheSkinOrInHighContrastTheSystemsColoursFlat) {
  Skin skin;
  skin.background = 0x3366CC;
  skin.button = 0x00AAFF;
  skin.buttonText = 0x112233;
  // Six different system colours, so that any one taken for another shows.
  const SystemColours sys{0x010101, 0xF1F1F1, 0x020202, 0xF2F2F2, 0xFFEB1A, 0x030303};
  const auto all = [](const Palette& p) {
    return std::vector<Colour>{p.back, p.text, p.shade, p.picture, p.button, p.buttonText, p.cell, p.cellText,
                               p.fixed, p.fixedText, p.selection, p.selectionText, p.lines};
  };
  EXPECT_FALSE(PaletteOf(skin, false, sys).flat);
  EXPECT_EQ(all(PaletteOf(skin, false, sys)),
            (std::vector<Colour>{0x3366CC, 0, 0xEEEEEE, 0x3366CC, 0x00AAFF, 0x112233, 0xFFFFFF, 0, 0xE0E0E0, 0,
                                 0xFFEB1A, 0x030303, 0xC0C0C0}));
  EXPECT_TRUE(PaletteOf(skin, true, sys).flat);
  EXPECT_EQ(all(PaletteOf(skin, true, sys)),
            (std::vector<Colour>{0x020202, 0xF2F2F2, 0x020202, 0xFFFFFF, 0x020202, 0xF2F2F2, 0x010101, 0xF1F1F1,
                                 0x020202, 0xF2F2F2, 0xFFEB1A, 0x030303, 0xF1F1F1}));
}

TEST(PanelDateText, PadsEveryParenthesisWhereItFitsElseDropsPaddingThenShrinks) {
  EXPECT_EQ(PanelDateText("2006-5-1", "农历丙戌年(狗)四月初四"),
            "今天: 2006-5-1  ( 丙戌年  ( 狗 )  四月初四 )  ");
  EXPECT_EQ(PanelDateText("2200-1-1", ""), "今天: 2200-1-1  (  )  ");  // outside the range
  // The longest of the range; 325 pixels padded, 247 unpadded at 13.
  const std::string_view lunar = "农历癸丑年(牛)闰冬月初七";  // 2033-12-28
  const char* const texts[] = {"今天: 2033/12/28(癸丑年(牛)闰冬月初七)", "今天: 2033/12/28  ( 癸丑年  ( 牛 )  闰冬月初七 )  "};
  const struct { int room, fontPx; bool padded; int fittedPx; } fits[] = {
      {325, 13, true, 13}, {324, 13, false, 13}, {240, 13, false, 12},  // 96 dpi: 274 - 34
      {360, 20, false, 18}, {10, 13, false, kMinDateFontPx}};           // 144 dpi: 411 - 51
  for (const auto& f : fits) {
    const FittedDateText date = FitPanelDateText("2033/12/28", lunar, f.room, f.fontPx, SongWidth);
    EXPECT_EQ(date.text + std::to_string(date.fontPx), texts[f.padded] + std::to_string(f.fittedPx)) << f.room;
  }
  EXPECT_EQ((std::array{MillisecondsToMidnight(0, 0, 0, 0), MillisecondsToMidnight(23, 59, 59, 999)}),
            (std::array{86400000u, 1u}));
}

TEST(Startup, SecondCopyMessageNamesTheProgramAndAMissingFileIsAFirstRun) {
  EXPECT_EQ(AlreadyRunningText("C:\\Tools\\q.exe"), "q已经在运行，请检查隐藏在屏幕边上的Quillet");
  EXPECT_EQ(AlreadyRunningText("Z:/a.b/My Panel.EXE"), "My Panel已经在运行，请检查隐藏在屏幕边上的Quillet");
  const ParameterItems first = StartupSettings(ParametersLoad{}, "C:\\Quillet");
  EXPECT_EQ((std::array{first[kParamDataFolder], first[kParamSoundFile], first[kParamBackground], first[kParamPanelLeft]}),
            (std::array<std::string, 4>{"C:\\Quillet", std::string("C:\\Quillet") + kPathSeparator + "reminder-chime.wav",
                                        "15453620", "3000"}));
  ParametersLoad read;  // taken as read; only an empty folder and a bare sound name are completed
  read.fileRead = true, read.items[kParamDataFolder] = "  ", read.items[kParamPanelLeft] = "-1590";
  const ParameterItems kept = StartupSettings(read, "D:\\Q");
  EXPECT_EQ((std::array{kept[kParamDataFolder], kept[kParamPanelLeft], kept[kParamBackground], kept[kParamSoundFile]}),
            (std::array<std::string, 4>{"D:\\Q", "-1590", "", ""}));
  read.items[kParamDataFolder] = "E:\\data", read.items[kParamSoundFile] = "E:\\音乐\\a.wav";
  EXPECT_EQ(StartupSettings(read, "D:\\Q"), read.items) << "nothing to complete";
}

TEST(DeliveredFiles, SettingsChimeHelpAndCornerPictures) {
  const auto CrLfLines = [](std::string_view b) { std::size_t n = 0; for (auto at = b.find("\r\n"); at != b.npos; at = b.find("\r\n", at + 2)) ++n; return n; };
  const std::string settings = ReadDelivered("paramter.dat");
  const Cp936Decoded text = DecodeCp936(settings);
  EXPECT_TRUE(CrLfLines(settings) == kParameterCount && text.invalidBytes == 0u);
  EXPECT_EQ(ParseParameters(text.utf8), DefaultSettings(""));
  const std::string chime = ReadDelivered(kDeliveredSoundFile);  // 16-bit mono PCM, 22050 Hz, < 1.5 s
  EXPECT_EQ(chime.substr(20, 16), std::string("\1\0\1\0\x22\x56\0\0\x44\xAC\0\0\2\0\x10\0", 16));
  EXPECT_LT(chime.size() - 44, 22050u * 3);
  const std::string help = ReadDelivered("Help.dat");  // every line ended by CR LF, the last one too
  EXPECT_TRUE(DecodeCp936(help).invalidBytes == 0u && help.ends_with("\r\n"));
  EXPECT_EQ(CrLfLines(help), static_cast<std::size_t>(std::count(help.begin(), help.end(), '\n')));
  for (auto [normal, lit] : {std::pair{Artwork::CloseNormal, Artwork::CloseHighlight}, {Artwork::TrayNormal, Artwork::TrayHighlight}}) {
    const PixelArt a = RenderArtwork(normal), b = RenderArtwork(lit);
    EXPECT_EQ((std::array{a.width, a.height, static_cast<int>(a.pixels.size())}), (std::array{20, 21, 420}));
    EXPECT_TRUE(a.pixels != b.pixels && a.pixels.front() == 0xFFFFFFu && b.pixels.back() == 0xFFFFFFu);
  }
  EXPECT_EQ(RenderArtwork(Artwork::Logo).width + RenderArtwork(Artwork::Logo).height, 40);
}

constexpr int kScreenWidth = 19200;  // 1280 pixels at 96 dpi
constexpr int kD = kScreenWidth - 1700;  // 17500

struct Cursor {
  int x = -100000, y = -100000;  // far away unless placed
  bool Over(const TwipsRect& r) const { return x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height; }
};

// Boundaries between ticks a real cursor cannot time.
TEST(Docking, OneStepAndWhatThePanelWaitsForAroundIt) {
  using enum DockingWait;
  const struct {
    int left, top; bool on; Cursor cursor; int nextLeft, nextTop; DockingWait before, after;
  } ticks[] = {
      {kD, 2000, true, {}, kD + 1610, 2000, Tick, CursorIn},  // snaps to d + 50, then hides
      {kD + 1610, 2000, true, {}, kD + 1610, 2000, CursorIn, CursorIn},  // no re-snap when hidden
      {kD + 1610, 2000, true, {kD + 1650, 2500}, kD, 2000, Tick, Tick},  // shown at d, snaps next
      {5000, 299, true, {5500, 100}, 5000, kDockedTop, Tick, CursorOut},  // snapped, kept shown
      {5000, 300, true, {}, 5000, 300, Move, Move},  // 300 is not closer than the snap distance
      {5000, kHiddenTop, true, {5500, 200}, 5000, kHiddenTop, CursorIn, CursorIn},  // below the strip
      {kDockedLeft, kDockedTop, true, {50, 50}, kDockedLeft, kDockedTop, CursorOut, CursorOut},
      // The hide test sees the position the show test set: shown, not hidden again.
      {1000, kHiddenTop, true, {1000, 100}, 1000, kDockedTop, Tick, CursorOut},
      {kHiddenLeft, 2000, true, {50, 3000}, kDockedLeft, 2000, Tick, CursorOut},
      {5000, kHiddenTop, false, {}, 5000, 0, Tick, Move},  // off: only kept on the screen
      {kD + 1610, 1000, false, {}, kD, 1000, Tick, Move},
      {100, 100, false, {50, 50}, 100, 100, Move, Move},
  };
  for (const auto& t : ticks) {
    const TwipsRect start{t.left, t.top, 1700, 4260};
    const TwipsRect next = DockingStep(start, kScreenWidth, t.on,
                                       [&t](const TwipsRect& r) { return t.cursor.Over(r); });
    EXPECT_EQ(next, (TwipsRect{t.nextLeft, t.nextTop, 1700, 4260})) << t.left << "," << t.top;
    EXPECT_EQ(NextDockingWait(start, kScreenWidth, t.on, t.cursor.Over(start)), t.before) << t.left;
    EXPECT_EQ(NextDockingWait(next, kScreenWidth, t.on, t.cursor.Over(next)), t.after) << t.left;
  }
}

}  // namespace
}  // namespace quillet
