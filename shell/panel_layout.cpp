#include "shell/panel_layout.h"

#include <algorithm>

namespace quillet {

TwipBox PanelButtonBox(int index, double panelWidth, double panelHeight) {
  const double pitch = (panelHeight - 600) / 8;
  return {100, pitch * index + 500, panelWidth - 400, pitch - 50};
}

std::string PanelDateText(std::string_view shortDate, std::string_view lunarText, bool padded) {
  constexpr std::string_view kLunarPrefix = "农历";
  if (lunarText.substr(0, kLunarPrefix.size()) == kLunarPrefix) {
    lunarText.remove_prefix(kLunarPrefix.size());
  }
  std::string raw = "今天: ";
  raw += shortDate;
  raw += '(';
  raw += lunarText;
  raw += ')';
  if (!padded) return raw;
  std::string text;
  text.reserve(raw.size() + 16);
  for (char c : raw) {
    if (c == '(') {
      text += "  ( ";
    } else if (c == ')') {
      text += " )  ";
    } else {
      text += c;
    }
  }
  return text;
}

FittedDateText FitPanelDateText(std::string_view shortDate, std::string_view lunarText, int room,
                                int fontPx, const MeasureText& measure) {
  FittedDateText fitted{PanelDateText(shortDate, lunarText), fontPx};
  if (measure(fitted.text, fontPx) <= room) return fitted;
  fitted.text = PanelDateText(shortDate, lunarText, false);
  while (fitted.fontPx > kMinDateFontPx && measure(fitted.text, fitted.fontPx) > room) {
    --fitted.fontPx;
  }
  return fitted;
}

unsigned MillisecondsToMidnight(int hour, int minute, int second, int millisecond) {
  constexpr int kDay = 24 * 60 * 60 * 1000;
  const int sinceMidnight = ((hour * 60 + minute) * 60 + second) * 1000 + millisecond;  // [0, kDay)
  return static_cast<unsigned>(std::max(kDay - sinceMidnight, 1));
}

}  // namespace quillet
