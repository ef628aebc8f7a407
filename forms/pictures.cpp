#include "forms/pictures.h"

#include <array>

namespace quillet {

namespace {

// Marks: '.' white (shows the back colour), '#' near black, 'r' dark red,
// 'b' dark blue, 'g' mid grey, 'y' gold, 'n' navy.
Colour MarkColour(char mark) {
  switch (mark) {
    case '#': return MakeColour(0x30, 0x30, 0x30);
    case 'r': return MakeColour(0xC0, 0x20, 0x20);
    case 'b': return MakeColour(0x20, 0x40, 0xA0);
    case 'g': return MakeColour(0x90, 0x90, 0x90);
    case 'y': return MakeColour(0xE0, 0xB0, 0x30);
    case 'n': return MakeColour(0x18, 0x28, 0x60);
    default: return MakeColour(0xFF, 0xFF, 0xFF);
  }
}

using Rows = std::array<std::string_view, 21>;

constexpr Rows kCloseNormal = {
    "....................", "....................", "..################..",
    "..#..............#..", "..#..............#..", "..#..##......##..#..",
    "..#...##....##...#..", "..#....##..##....#..", "..#.....####.....#..",
    "..#......##......#..", "..#.....####.....#..", "..#....##..##....#..",
    "..#...##....##...#..", "..#..##......##..#..", "..#..............#..",
    "..#..............#..", "..################..", "....................",
    "....................", "....................", "...................."};

constexpr Rows kCloseHighlight = {
    "....................", "....................", "..rrrrrrrrrrrrrrrr..",
    "..rrrrrrrrrrrrrrrr..", "..rrrrrrrrrrrrrrrr..", "..rrr..rrrrrr..rrr..",
    "..rrrr..rrrr..rrrr..", "..rrrrr..rr..rrrrr..", "..rrrrrr....rrrrrr..",
    "..rrrrrrr..rrrrrrr..", "..rrrrrr....rrrrrr..", "..rrrrr..rr..rrrrr..",
    "..rrrr..rrrr..rrrr..", "..rrr..rrrrrr..rrr..", "..rrrrrrrrrrrrrrrr..",
    "..rrrrrrrrrrrrrrrr..", "..rrrrrrrrrrrrrrrr..", "....................",
    "....................", "....................", "...................."};

constexpr Rows kTrayNormal = {
    "....................", "....................", "..################..",
    "..#..............#..", "..#..............#..", "..#..............#..",
    "..#..............#..", "..#..............#..", "..#..............#..",
    "..#..............#..", "..#..............#..", "..#..............#..",
    "..#...########...#..", "..#...########...#..", "..#..............#..",
    "..#..............#..", "..################..", "....................",
    "....................", "....................", "...................."};

constexpr Rows kTrayHighlight = {
    "....................", "....................", "..bbbbbbbbbbbbbbbb..",
    "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..",
    "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..",
    "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..",
    "..bbbb........bbbb..", "..bbbb........bbbb..", "..bbbbbbbbbbbbbbbb..",
    "..bbbbbbbbbbbbbbbb..", "..bbbbbbbbbbbbbbbb..", "....................",
    "....................", "....................", "...................."};

// 20 x 20: a page with ruled lines and a gold quill across it.
constexpr std::array<std::string_view, 20> kLogo = {
    ".................yyy", "................yyy.", "..nnnnnnnnnnnnnyyy..",
    "..n...........yyy...", "..n..........yyy....", "..n.gggggggggyyn....",
    "..n.........yy.n....", "..n........yy..n....", "..n.ggggggyygg.n....",
    "..n.......y....n....", "..n......#.....n....", "..n.gggg#ggggg.n....",
    "..n....#.......n....", "..n...#........n....", "..n.g#gggggggg.n....",
    "..n............n....", "..n............n....", "..nnnnnnnnnnnnnn....",
    "....................", "...................."};

template <typename RowArray>
PixelArt FromRows(const RowArray& rows) {
  PixelArt art;
  art.width = 20;
  art.height = static_cast<int>(rows.size());
  art.pixels.reserve(static_cast<std::size_t>(art.width) * art.height);
  for (std::string_view row : rows) {
    for (int x = 0; x < art.width; ++x) {
      art.pixels.push_back(MarkColour(x < static_cast<int>(row.size()) ? row[x] : '.'));
    }
  }
  return art;
}

}  // namespace

PixelArt RenderArtwork(Artwork art) {
  switch (art) {
    case Artwork::CloseNormal: return FromRows(kCloseNormal);
    case Artwork::CloseHighlight: return FromRows(kCloseHighlight);
    case Artwork::TrayNormal: return FromRows(kTrayNormal);
    case Artwork::TrayHighlight: return FromRows(kTrayHighlight);
    case Artwork::Logo: return FromRows(kLogo);
  }
  return {};
}

}  // namespace quillet
