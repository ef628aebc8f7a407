// The global key that brings the panel out, as the user writes it in the
// settings file ("Ctrl+Alt+Q"): modifiers joined by '+', then one key.
#pragma once

#include <optional>
#include <string_view>

namespace quillet {

// The modifier bits, as the system's RegisterHotKey takes them.
inline constexpr unsigned kHotKeyAlt = 0x1;
inline constexpr unsigned kHotKeyCtrl = 0x2;
inline constexpr unsigned kHotKeyShift = 0x4;
inline constexpr unsigned kHotKeyWin = 0x8;

inline constexpr std::string_view kDefaultHotKey = "Ctrl+Alt+Q";

struct HotKey {
  unsigned modifiers = 0;
  unsigned key = 0;  // virtual-key code: 'A'..'Z', '0'..'9', 0x70.. for F1..F24
  bool operator==(const HotKey&) const = default;
};

// "无" or "off" (any case, blanks ignored): no hot key at all.
bool HotKeyTurnedOff(std::string_view text);

// "Ctrl", "Alt", "Shift" and "Win" in any order and case, each at most
// once and at least one of them, then a letter, a digit or F1..F24; blanks
// around the parts are ignored. Nothing for any other text.
std::optional<HotKey> ParseHotKey(std::string_view text);

}  // namespace quillet
