// What a Gleam looks like: the banded face, hover and press looks, the
// caption and its press offset, the rounded region and the hover timer
// (GDI objects over many repaints and lifetimes: tests/soak).
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "base/colour.h"
#include "base/units.h"
#include "lantoc_h.h"
#include "tests/support/gleam_test_support.h"
#include "win32/dpi.h"
#include "win32/gleam_host.h"

namespace quillet::test {
namespace {

using namespace win::gleam_dispid;

// Bounding box of the pixels where red clearly outweighs green: a red
// caption over a grey face.
struct Box {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};
Box RedPixels(const Capture& cap) {
  Box box;
  for (int y = 0; y < cap.height; ++y) {
    for (int x = 0; x < cap.width; ++x) {
      const Colour c = cap.At(x, y);
      if (RedOf(c) - GreenOf(c) > 60) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
    }
  }
  return box;
}

class GleamLook : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Library().loaded());
    dpi_ = win::ScreenDpi();
    width_ = TwipsToPixels(1000, dpi_);
    height_ = TwipsToPixels(300, dpi_);
    host_ = CreateHostWindow(width_ + 40, height_ + 40);
    ASSERT_NE(host_, nullptr);
    gleam_ = std::make_unique<SitedGleam>(Library(), host_, RECT{20, 20, 20 + width_, 20 + height_});
    ASSERT_TRUE(gleam_->ok());
  }
  void TearDown() override {
    if (gleam_) {
      EXPECT_EQ(gleam_->Close(), 0);
    }
    if (host_) ::DestroyWindow(host_);
    EXPECT_EQ(Library().CanUnloadNow(), S_OK);
  }
  // Row r of the face shows the band holding twip r * 1440 / dpi.
  int BandOfRow(int row) const { return row * 1440 / dpi_ / 5; }

  int dpi_ = 96, width_ = 0, height_ = 0;
  HWND host_ = nullptr;
  std::unique_ptr<SitedGleam> gleam_;
};

TEST_F(GleamLook, DefaultFaceDarkensByThreePerBandFromC8) {
  RECT r{};
  ::GetClientRect(gleam_->button, &r);
  ASSERT_EQ(r.right, width_);
  ASSERT_EQ(r.bottom, height_);
  const Capture cap = RenderClient(gleam_->button);
  ASSERT_FALSE(cap.pixels.empty());
  EXPECT_EQ(cap.At(width_ / 2, 0), 0xC8C8C8u);
  for (int row = 0; row < height_; ++row) {
    const int shade = std::max(0, 200 - 3 * BandOfRow(row));
    EXPECT_EQ(cap.At(width_ / 2, row), MakeColour(shade, shade, shade)) << "row " << row;
    EXPECT_EQ(cap.At(0, row), cap.At(width_ - 1, row)) << "a band spans the width";
  }
  SaveRedrawnScreenshot(host_, L"gleam-default");
}

TEST_F(GleamLook, HoverStartsFromWhiteAndPressRunsBottomToTop) {
  ::SendMessageW(gleam_->button, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Capture cap = RenderClient(gleam_->button);
  EXPECT_EQ(cap.At(width_ / 2, 0), 0xFFFFFFu) << "200 + 120 counts as 255";
  EXPECT_EQ(cap.At(width_ / 2, 1), MakeColour(255 - 3 * BandOfRow(1), 255 - 3 * BandOfRow(1),
                                              255 - 3 * BandOfRow(1)));
  SaveRedrawnScreenshot(host_, L"gleam-hover");

  // Pressed (while hovering): the plain ForeColor gradient, lightest at the
  // bottom; no hover lightening.
  ::SendMessageW(gleam_->button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  cap = RenderClient(gleam_->button);
  // Bottom to top the first band ends one step above the bottom edge.
  const int heightTwips = height_ * 1440 / dpi_;
  for (int row = 0; row < height_; ++row) {
    const int twip = row * 1440 / dpi_;
    // Band k covers [h - 10 - 5k, h - 5 - 5k) twips.
    const int band = (heightTwips - 10 - twip + 4) / 5;
    const int shade = std::max(0, 200 - 3 * std::max(0, band));
    EXPECT_EQ(cap.At(width_ / 2, row), MakeColour(shade, shade, shade)) << "row " << row;
  }
  EXPECT_GT(RedOf(cap.At(width_ / 2, height_ - 1)), RedOf(cap.At(width_ / 2, 0)));
  SaveRedrawnScreenshot(host_, L"gleam-pressed");

  // Released outside: the pressed look ends.
  ::SendMessageW(gleam_->button, WM_LBUTTONUP, 0, MAKELPARAM(900, 3));
  cap = RenderClient(gleam_->button);
  EXPECT_EQ(cap.At(width_ / 2, 0), 0xFFFFFFu) << "back to the hover look";
}

TEST_F(GleamLook, CaptionMovesTenTwipsWhilePressed) {
  IDispatch* d = gleam_->dispatch;
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kTextColor, LongArg(0x0000FF)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kPosX, LongArg(150)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kPosY, LongArg(15)));
  VARIANT text = TextArg(L"H");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kText, text));
  ::VariantClear(&text);
  const Box normal = RedPixels(RenderClient(gleam_->button));
  ASSERT_FALSE(normal.empty()) << "the caption is drawn";
  ::SendMessageW(gleam_->button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  const Box pressed = RedPixels(RenderClient(gleam_->button));
  ::SendMessageW(gleam_->button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ASSERT_FALSE(pressed.empty());
  const int dx = TwipsToPixels(160, dpi_) - TwipsToPixels(150, dpi_);
  const int dy = TwipsToPixels(25, dpi_) - TwipsToPixels(15, dpi_);
  EXPECT_EQ(pressed.left - normal.left, dx);
  EXPECT_EQ(pressed.top - normal.top, dy);
  EXPECT_EQ(pressed.right - pressed.left, normal.right - normal.left);
  // Without a background box: the face shows right beside the glyph.
  const Capture cap = RenderClient(gleam_->button);
  EXPECT_EQ(cap.At(normal.left - 1, normal.top), cap.At(width_ - 2, normal.top));
}

TEST_F(GleamLook, TwoChineseCharactersAndADigitAreDrawnWhole) {
  IDispatch* d = gleam_->dispatch;
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kTextColor, LongArg(0x0000FF)));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kPosY, LongArg(15)));
  VARIANT digit = TextArg(L"1");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kText, digit));
  ::VariantClear(&digit);
  const Box one = RedPixels(RenderClient(gleam_->button));
  VARIANT text = TextArg(L"\x4FDD\x5B58" L"1");  // 保存1
  ASSERT_HRESULT_SUCCEEDED(PutProperty(d, kText, text));
  ::VariantClear(&text);
  const Box whole = RedPixels(RenderClient(gleam_->button));
  SaveRedrawnScreenshot(host_, L"gleam-chinese-caption");
  ASSERT_FALSE(one.empty());
  ASSERT_FALSE(whole.empty());
  // The digit comes last, after two full-width characters of a 13-pixel font.
  EXPECT_GE(whole.right - one.right, 2 * 10) << "the digit is drawn after both characters";
  EXPECT_LE(whole.left, TwipsToPixels(100, dpi_) + 2);
}

TEST_F(GleamLook, ColorGradientDrawsStraightOnTheControl) {
  ::UpdateWindow(host_);
  VARIANT args[3] = {};
  args[2] = LongArg(0x0000FF);  // red
  args[1] = BoolArg(false);     // bottom to top
  args[0].vt = VT_I2;
  args[0].iVal = 10;
  DISPPARAMS params{args, nullptr, 3, 0};
  ASSERT_HRESULT_SUCCEEDED(gleam_->dispatch->Invoke(0x6003000F, IID_NULL, LOCALE_USER_DEFAULT,
                                                    DISPATCH_METHOD, &params, nullptr, nullptr,
                                                    nullptr));
  const Capture cap = CaptureWindow(gleam_->button);
  ASSERT_FALSE(cap.pixels.empty());
  // Lightest near the bottom, 10 darker per band upwards, blue and green 0.
  // (The window region leaves out the last row, as CreateRoundRectRgn does.)
  const Colour bottom = cap.At(width_ / 2, height_ - 2);
  const Colour top = cap.At(width_ / 2, 0);
  EXPECT_EQ(GreenOf(bottom), 0);
  EXPECT_EQ(BlueOf(bottom), 0);
  const int twip = (height_ - 2) * 1440 / dpi_;
  const int band = (height_ * 1440 / dpi_ - 10 - twip + 4) / 5;
  EXPECT_EQ(RedOf(bottom), std::max(0, 255 - 10 * band));
  EXPECT_LT(RedOf(top), RedOf(bottom));
}

TEST_F(GleamLook, RegionIsTheRoundedRectangleOfTheCurrentSize) {
  HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(::GetWindowRgn(gleam_->button, probe), COMPLEXREGION);
  EXPECT_FALSE(::PtInRegion(probe, 0, 0)) << "corner cut";
  EXPECT_TRUE(::PtInRegion(probe, width_ / 2, height_ / 2));
  EXPECT_TRUE(::PtInRegion(probe, width_ / 2, 0));
  // A resize replaces the region with one of the new size.
  IOleInPlaceObject* inPlace = nullptr;
  ASSERT_HRESULT_SUCCEEDED(gleam_->ole->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)));
  RECT bigger{20, 20, 20 + width_ + 30, 20 + height_ + 10};
  ASSERT_HRESULT_SUCCEEDED(inPlace->SetObjectRects(&bigger, &bigger));
  inPlace->Release();
  ASSERT_NE(::GetWindowRgn(gleam_->button, probe), ERROR);
  EXPECT_TRUE(::PtInRegion(probe, width_ + 20, height_ + 2));
  EXPECT_FALSE(::PtInRegion(probe, width_ + 29, height_ + 9)) << "new corner cut";
  ::DeleteObject(probe);
}

TEST_F(GleamLook, HoverEndsWithinAboutFiftyMsAfterTheCursorLeftWithoutAMouseMessage) {
  RECT window{};
  ::GetWindowRect(gleam_->button, &window);
  ::SetCursorPos(window.left + 5, window.top + 5);
  ::SendMessageW(gleam_->button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(RenderClient(gleam_->button).At(width_ / 2, 0), 0xFFFFFFu);
  // Still inside after several ticks: the hover look stays.
  WaitFor([] { return false; }, std::chrono::milliseconds(150));
  EXPECT_EQ(RenderClient(gleam_->button).At(width_ / 2, 0), 0xFFFFFFu);
  // On the edge of the window rectangle counts as outside.
  ::SetCursorPos(window.left, window.top + 5);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitFor([&] { return RenderClient(gleam_->button).At(width_ / 2, 0) == 0xC8C8C8u; },
                      std::chrono::seconds(2)));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(500)) << "one 50 ms tick, with slack for a busy host";
}

TEST_F(GleamLook, DisabledTakesNoInputAndKeepsItsLook) {
  ASSERT_HRESULT_SUCCEEDED(PutProperty(gleam_->dispatch, kEnabled, BoolArg(false)));
  RECT window{};
  ::GetWindowRect(gleam_->button, &window);
  // Real input through the system: a disabled window gets none of it.
  ::SetCursorPos(window.left + 5, window.top + 5);
  INPUT input[2] = {};
  input[0].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].type = INPUT_MOUSE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input[0], sizeof(INPUT));
  WaitFor([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_EQ(RenderClient(gleam_->button).At(width_ / 2, 0), 0xC8C8C8u) << "no hover, no press";
  ::SendInput(1, &input[1], sizeof(INPUT));
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  EXPECT_EQ(RenderClient(gleam_->button).At(width_ / 2, 0), 0xC8C8C8u);
}

}  // namespace
}  // namespace quillet::test
