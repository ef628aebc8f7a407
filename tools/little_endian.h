// Little-endian numbers appended to a byte string, for the tools that write
// binary files (the icon, the reminder sound).
#pragma once

#include <cstdint>
#include <string>

namespace quillet::tools {

inline void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

inline void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace quillet::tools
