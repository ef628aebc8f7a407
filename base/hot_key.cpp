#include "base/hot_key.h"

#include <cctype>
#include <string>

namespace quillet {

namespace {

std::string Upper(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

unsigned ModifierBit(const std::string& part) {
  if (part == "CTRL" || part == "CONTROL") return kHotKeyCtrl;
  if (part == "ALT") return kHotKeyAlt;
  if (part == "SHIFT") return kHotKeyShift;
  if (part == "WIN") return kHotKeyWin;
  return 0;
}

std::optional<unsigned> KeyCode(const std::string& part) {
  if (part.size() == 1 && (std::isupper(static_cast<unsigned char>(part[0])) ||
                           std::isdigit(static_cast<unsigned char>(part[0])))) {
    return static_cast<unsigned char>(part[0]);
  }
  if (part.size() < 2 || part.size() > 3 || part[0] != 'F') return std::nullopt;
  int n = 0;
  for (std::size_t i = 1; i < part.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(part[i]))) return std::nullopt;
    n = n * 10 + (part[i] - '0');
  }
  if (n < 1 || n > 24 || part[1] == '0') return std::nullopt;
  return 0x6Fu + static_cast<unsigned>(n);
}

}  // namespace

bool HotKeyTurnedOff(std::string_view text) {
  const std::string upper = Upper(text);
  return upper == "OFF" || upper == "无";
}

std::optional<HotKey> ParseHotKey(std::string_view text) {
  const std::string upper = Upper(text);
  HotKey hotKey;
  std::size_t start = 0;
  for (;;) {
    const std::size_t plus = upper.find('+', start);
    const std::string part = upper.substr(start, plus == std::string::npos ? plus : plus - start);
    if (plus == std::string::npos) {
      const std::optional<unsigned> key = KeyCode(part);
      if (!key || hotKey.modifiers == 0) return std::nullopt;
      hotKey.key = *key;
      return hotKey;
    }
    const unsigned bit = ModifierBit(part);
    if (bit == 0 || (hotKey.modifiers & bit) != 0) return std::nullopt;
    hotKey.modifiers |= bit;
    start = plus + 1;
  }
}

}  // namespace quillet
