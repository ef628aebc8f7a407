// The main panel's layout as pure arithmetic: its button column and the
// date text that runs down its side.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillet {

// Box of the main panel's button i (0..7) on a panel width x height twips.
struct TwipBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};
TwipBox PanelButtonBox(int index, double panelWidth, double panelHeight);

// The text that runs down the main panel's side: "今天: " + short date +
// "(" + lunar text without its "农历" prefix + ")", then every "(" padded to
// "  ( " and every ")" to " )  " (the lunar text's own parentheses too).
// Unpadded, the parentheses stay as they are.
std::string PanelDateText(std::string_view shortDate, std::string_view lunarText, bool padded = true);

// Length in pixels along the baseline of text drawn fontPx high.
using MeasureText = std::function<int(std::string_view text, int fontPx)>;

struct FittedDateText {
  std::string text;
  int fontPx = 0;
};

// The date text as it fits a strip `room` pixels long: the padded text in
// fontPx where it fits, else the unpadded one, stepped down a pixel at a
// time until it fits (never below kMinDateFontPx, where it is given as is).
inline constexpr int kMinDateFontPx = 6;
FittedDateText FitPanelDateText(std::string_view shortDate, std::string_view lunarText, int room,
                                int fontPx, const MeasureText& measure);

// Milliseconds from a local time of day to the next midnight, 1..86400000.
unsigned MillisecondsToMidnight(int hour, int minute, int second, int millisecond);

}  // namespace quillet
