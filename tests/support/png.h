// Minimal PNG writer for test screenshots (32-bit BGRA rows in, RGB out,
// stored deflate blocks: large but dependency-free).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::test {

// pixels: width*height values 0x00RRGGBB, top row first.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace quillet::test
