// The area and postal code look-up: in quillet.exe at 96 and 144 dpi, and in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "base/units.h"
#include "lookup/lookup_window.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

TEST(LookupWindow, OpenedFromThePanelFindsACityItsPostalAndAreaCodesUnderTheHeads) {
  for (const int dpi : {96, 144}) {
    LogicalDpi logical(dpi);
    Installation install(PanelSettings(3000, 1500));
    Process program(install);
    HWND panel = program.WaitWindow(L"\x3000Quillet");
    ASSERT_NE(panel, nullptr);
    ClickTheMouse(ChildWindows(panel)[5]);  // 电话区号查询
    HWND lookup = program.WaitWindow(L"\x3000邮编区号查询");
    ASSERT_NE(lookup, nullptr);
    const std::vector<HWND> controls = ChildWindows(lookup);  // keyword, 查询, 退　出, results
    ASSERT_EQ(controls.size(), 4u);
    HWND keyword = controls[0], results = controls[3];
    const auto search = [&](const std::wstring& text, bool enter) {
      const std::wstring before = ControlText(results);
      ClickTheMouse(keyword);
      EXPECT_TRUE(WaitFor([&] { return FocusIn(lookup) == keyword; }));  // the keys go there
      PressKey(VK_END);
      PressKey(VK_HOME, true);
      TypeText(text);
      EXPECT_TRUE(WaitFor([&] { return ControlText(keyword) == text; }));
      enter ? PressKey(VK_RETURN) : ClickTheMouse(controls[1]);
      EXPECT_TRUE(WaitFor([&] { return ControlText(results) != before; })) << "no search";
      const std::wstring found = ControlText(results);
      return std::pair(std::count(found.begin(), found.end(), L'\n'), found.substr(0, found.find(L'\r')));
    };
    EXPECT_EQ(search(L"石家庄 ", true), std::pair(std::ptrdiff_t{23}, std::wstring(L"河北      石家庄市           050000   0311")));
    EXPECT_EQ(search(L" 0311  ", false).first, 24);
    EXPECT_EQ(ControlText(keyword), L"0311");

    // The longest lines do not wrap, and each field begins under its head.
    const auto lines = search(L"海南 ", true).first;
    EXPECT_EQ(::SendMessageW(results, EM_GETLINECOUNT, 0, 0), lines + 1);
    POINT origin{};
    RECT box{};
    ::ClientToScreen(results, &origin);
    ::GetWindowRect(results, &box);
    const std::wstring all = ControlText(results);
    for (std::size_t i = 1, field = 0; i < all.size(); ++i) {
      field = all[i] == L'\n' ? 0 : field;
      if (all[i] == L' ' || all[i - 1] != L' ') continue;
      const int head = TwipsToPixels(std::array{1200, 2880, 3720}[field++], dpi) - TwipsToPixels(240, dpi);
      EXPECT_NEAR(LOWORD(::SendMessageW(results, EM_POSFROMCHAR, i, 0)) + origin.x - box.left, head, dpi / 24);
    }
    ::SendMessageW(results, EM_LINESCROLL, 0, lines);  // the longest lines are the last
    SaveRedrawnScreenshot(lookup, L"lookup-window-" + std::to_wstring(dpi) + L"dpi");
    ::PostMessageW(panel, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
  }
}

using LookupInProcess = ShellFixture;

TEST_F(LookupInProcess, BlankKeywordAndMissingListChangeNoResultsAndAFullBoxStops) {
  LookupWindow& lookup = TheForm<LookupWindow>();
  const auto query = [&](const wchar_t* keyword) {
    ::SetWindowTextW(lookup.ControlWindow(LookupWindow::kKeyword), keyword);
    lookup.ClickButton(LookupWindow::kSearchButton);
    return win::Widen(lookup.Results());
  };
  ASSERT_TRUE(::CopyFileW((BinDir() + L"\\Code.dat").c_str(), folder_.File(L"Code.dat").c_str(), FALSE));
  ShowCodeLookup(program_);
  // "0" is in nearly every line: lines stop once the box holds 8970 characters, the last one whole.
  const std::wstring full = query(L"0");
  EXPECT_TRUE(full.size() >= 8970 && full.rfind(L'\n', full.size() - 3) + 1 < 8970 && full.ends_with(L"\n"));
  EXPECT_EQ(query(L"  "), full);
  EXPECT_EQ(lookup.Keyword(), "");
  ::DeleteFileW(folder_.File(L"Code.dat").c_str());
  EXPECT_EQ(query(L"北京"), full);
}

}  // namespace
}  // namespace quillet::test
