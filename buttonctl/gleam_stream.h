// Gleam's properties in the binary form that containers storing controls in
// streams keep (IPersistStreamInit, gleam_persist_win.cpp). Little-endian:
// u32 version (1), u32 enabled (0 or 1), u32 ForeColor, i32 PosX, i32 PosY,
// u32 TextColor, u32 n, then the n UTF-16 units of the caption.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "buttonctl/gleam_logic.h"

namespace lantoc {

struct GleamProperties {
  bool enabled = kDefaultEnabled;
  ColourRef foreColor = kDefaultForeColor;
  std::int32_t posX = kDefaultPosX;  // twips
  std::int32_t posY = kDefaultPosY;  // twips
  ColourRef textColor = kDefaultTextColor;
  std::u16string text;
  friend bool operator==(const GleamProperties&, const GleamProperties&) = default;
};

inline constexpr std::size_t kGleamStreamHeadBytes = 28;
inline constexpr std::uint32_t kGleamMaxTextUnits = 1u << 20;  // a caption, not a book

// How many caption bytes follow this head, or nothing when it is no head
// Gleam writes (another version, enabled neither 0 nor 1, a caption over
// the limit). head holds kGleamStreamHeadBytes bytes.
std::optional<std::size_t> GleamStreamTextBytes(std::string_view head);
// The properties of a head GleamStreamTextBytes accepted and of the caption
// bytes it announced.
GleamProperties ReadGleamStream(std::string_view head, std::string_view text);
// The stream form; nothing when the caption is over the limit.
std::optional<std::string> GleamStreamBytes(const GleamProperties& properties);

}  // namespace lantoc
