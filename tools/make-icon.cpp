// Writes the program's icon: make-icon OUT_PATH turns the logo of the
// panel's pictures (a quill over a page, 20 x 20) into an icon file with
// 16, 32 and 48-pixel images, 32-bit with the logo's white as transparent.
// shell/quillet.rc embeds the result (shell/quillet.ico); the installer and
// the Apps list show it.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "forms/pictures.h"
#include "tools/little_endian.h"

namespace {

using quillet::tools::Put16;
using quillet::tools::Put32;

// One image: BITMAPINFOHEADER (twice the height: colour, then mask), the
// BGRA rows bottom-up, then the 1-bit mask rows (1 = transparent), each
// padded to 4 bytes. The logo is scaled by the nearest pixel: by a whole
// factor where the size allows, centred.
std::string IconImage(const quillet::PixelArt& art, int size) {
  const int scale = size >= 2 * art.width ? size / art.width : 0;
  const int inner = scale ? art.width * scale : size;
  const int margin = (size - inner) / 2;
  std::string out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, 0);
  const int maskStride = ((size + 31) / 32) * 4;
  Put32(out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  std::vector<bool> clear(static_cast<std::size_t>(size * size), true);
  std::string colour;
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      std::uint32_t bgra = 0;
      const int ix = x - margin, iy = y - margin;
      if (ix >= 0 && iy >= 0 && ix < inner && iy < inner) {
        const int sx = ix * art.width / inner, sy = iy * art.height / inner;
        const quillet::Colour c = art.pixels[static_cast<std::size_t>(sy * art.width + sx)];
        if (c != 0xFFFFFFu) {
          // Colour is 0x00BBGGRR; the file wants B, G, R, A.
          bgra = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
          clear[static_cast<std::size_t>(y * size + x)] = false;
        }
      }
      Put32(colour, bgra);
    }
  }
  out += colour;
  for (int y = size - 1; y >= 0; --y) {
    std::string row(static_cast<std::size_t>(maskStride), '\0');
    for (int x = 0; x < size; ++x) {
      if (clear[static_cast<std::size_t>(y * size + x)]) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
      }
    }
    out += row;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icon OUT_PATH\n");
    return 2;
  }
  const quillet::PixelArt logo = quillet::RenderArtwork(quillet::Artwork::Logo);
  const int sizes[] = {16, 32, 48};
  std::vector<std::string> images;
  for (int size : sizes) images.push_back(IconImage(logo, size));
  std::string file;
  Put16(file, 0);
  Put16(file, 1);  // an icon
  Put16(file, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    file += static_cast<char>(sizes[i]);
    file += static_cast<char>(sizes[i]);
    file += '\0';  // no palette
    file += '\0';
    Put16(file, 1);
    Put16(file, 32);
    Put32(file, static_cast<std::uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const std::string& image : images) file += image;
  std::ofstream out(argv[1], std::ios::binary);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  return out ? 0 : 1;
}
