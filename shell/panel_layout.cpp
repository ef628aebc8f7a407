#include "shell/panel_layout.h"

namespace quillet {

TwipBox PanelButtonBox(int index, double panelWidth, double panelHeight) {
  const double pitch = (panelHeight - 600) / 8;
  return {100, pitch * index + 500, panelWidth - 400, pitch - 50};
}

std::string PanelDateText(std::string_view shortDate, std::string_view lunarText) {
  constexpr std::string_view kLunarPrefix = "农历";
  if (lunarText.substr(0, kLunarPrefix.size()) == kLunarPrefix) {
    lunarText.remove_prefix(kLunarPrefix.size());
  }
  std::string raw = "今天: ";
  raw += shortDate;
  raw += '(';
  raw += lunarText;
  raw += ')';
  std::string padded;
  padded.reserve(raw.size() + 16);
  for (char c : raw) {
    if (c == '(') {
      padded += "  ( ";
    } else if (c == ')') {
      padded += " )  ";
    } else {
      padded += c;
    }
  }
  return padded;
}

}  // namespace quillet
