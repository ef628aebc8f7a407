#include "forms/pictures_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "win32/paint.h"

namespace quillet {

namespace {

}  // namespace

win::Bitmap MakePictureBitmap(Artwork art) {
  const PixelArt pixels = RenderArtwork(art);
  void* bits = nullptr;
  win::Bitmap bitmap = win::CreateTopDownDib(pixels.width, pixels.height, &bits);
  if (!bitmap || !bits) return {};
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.pixels.size(); ++i) {
    const Colour c = pixels.pixels[i];  // 0x00BBGGRR -> DIB 0x00RRGGBB
    out[i] = static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c));
  }
  return bitmap;
}

win::Icon MakePictureIcon(Artwork art) {
  win::Bitmap colour = MakePictureBitmap(art);
  BITMAP info{};
  if (!colour || !::GetObjectW(colour.get(), sizeof info, &info)) return {};
  // An all-zero AND mask: the colour bitmap shows everywhere.
  const std::vector<unsigned char> zeros(static_cast<std::size_t>((info.bmWidth + 15) / 16 * 2) *
                                         static_cast<std::size_t>(info.bmHeight));
  win::Bitmap mask(::CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, zeros.data()));
  if (!mask) return {};
  ICONINFO icon{};
  icon.fIcon = TRUE;
  icon.hbmMask = mask.get();
  icon.hbmColor = colour.get();
  // The system copies both bitmaps; ours go with their owners.
  return win::Icon(::CreateIconIndirect(&icon));
}

win::Bitmap MakeAboutPicture() {
  void* bits = nullptr;
  win::Bitmap bitmap = win::CreateTopDownDib(100, 100, &bits);
  if (!bitmap) return {};
  win::MemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return {};
  win::SelectScope select(dc.get(), bitmap.get());
  win::FillSolid(dc.get(), RECT{0, 0, 100, 100}, MakeColour(0xFF, 0xFF, 0xFF));
  // Shadow, page, red header with two rings.
  win::FillSolid(dc.get(), RECT{16, 18, 90, 94}, MakeColour(0xB0, 0xB8, 0xC8));
  win::FillSolid(dc.get(), RECT{12, 14, 86, 90}, MakeColour(0xFA, 0xFA, 0xF4));
  win::FillSolid(dc.get(), RECT{12, 14, 86, 34}, MakeColour(0xC0, 0x30, 0x30));
  win::FillSolid(dc.get(), RECT{28, 8, 32, 20}, MakeColour(0x50, 0x50, 0x50));
  win::FillSolid(dc.get(), RECT{66, 8, 70, 20}, MakeColour(0x50, 0x50, 0x50));
  // Day grid: 4 rows of 5 cells.
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 5; ++col) {
      const int x = 17 + col * 13;
      const int y = 40 + row * 12;
      const Colour cell = (row == 2 && col == 3) ? MakeColour(0xE8, 0x90, 0x30)
                                                 : MakeColour(0xC8, 0xD4, 0xE8);
      win::FillSolid(dc.get(), RECT{x, y, x + 10, y + 8}, cell);
    }
  }
  // The quill: a gold stroke across the page down to a dark nib.
  for (int i = 0; i < 52; ++i) {
    const int x = 94 - i;
    const int y = 4 + i;
    const Colour ink = i < 42 ? MakeColour(0xD8, 0xA8, 0x28) : MakeColour(0x30, 0x30, 0x30);
    const int thick = i < 20 ? 4 : (i < 42 ? 3 : 2);
    win::FillSolid(dc.get(), RECT{x - thick, y, x, y + 1}, ink);
  }
  ::GdiFlush();
  return bitmap;
}

}  // namespace quillet
