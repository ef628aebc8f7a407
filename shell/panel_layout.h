// The main panel's layout as pure arithmetic: its button column and the
// date text that runs down its side.
#pragma once

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
std::string PanelDateText(std::string_view shortDate, std::string_view lunarText);

}  // namespace quillet
