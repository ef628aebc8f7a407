#include "buttonctl/gleam_stream.h"

namespace lantoc {
namespace {

constexpr std::uint32_t kStreamVersion = 1;

std::uint32_t Word(std::string_view bytes, std::size_t index) {  // the index-th u32
  std::uint32_t value = 0;
  for (std::size_t i = 4; i > 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[index * 4 + i - 1]);
  return value;
}

void PutWord(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
}

}  // namespace

std::optional<std::size_t> GleamStreamTextBytes(std::string_view head) {
  if (head.size() < kGleamStreamHeadBytes || Word(head, 0) != kStreamVersion || Word(head, 1) > 1 ||
      Word(head, 6) > kGleamMaxTextUnits) {
    return std::nullopt;
  }
  return std::size_t{Word(head, 6)} * 2;
}

GleamProperties ReadGleamStream(std::string_view head, std::string_view text) {
  GleamProperties p;
  p.enabled = Word(head, 1) != 0;
  p.foreColor = Word(head, 2);
  p.posX = static_cast<std::int32_t>(Word(head, 3));
  p.posY = static_cast<std::int32_t>(Word(head, 4));
  p.textColor = Word(head, 5);
  for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
    p.text += static_cast<char16_t>(static_cast<unsigned char>(text[i]) |
                                    static_cast<unsigned char>(text[i + 1]) << 8);
  }
  return p;
}

std::optional<std::string> GleamStreamBytes(const GleamProperties& properties) {
  if (properties.text.size() > kGleamMaxTextUnits) return std::nullopt;
  std::string out;
  out.reserve(kGleamStreamHeadBytes + properties.text.size() * 2);
  for (const std::uint32_t word :
       {kStreamVersion, properties.enabled ? 1u : 0u, properties.foreColor,
        static_cast<std::uint32_t>(properties.posX), static_cast<std::uint32_t>(properties.posY),
        properties.textColor, static_cast<std::uint32_t>(properties.text.size())}) {
    PutWord(out, word);
  }
  for (const char16_t unit : properties.text) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

}  // namespace lantoc
