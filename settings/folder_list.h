// The folder list of the settings window, as logic: the opened folder with
// the folders above it up to its drive, then the folders inside it, one
// line each, indented by depth; each line stands for a full path.
// Windows paths ("C:\a\b", "\\server\share\a"), '/' taken as '\'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct FolderLine {
  std::string text;  // what the line shows: the indentation, the name
  std::string path;  // the folder it stands for
  bool open = false; // the opened folder or one above it
};

// The root of a path ("C:\", "\\server\share\"), empty when it has none.
std::string FolderRoot(std::string_view path);
// The folder above path; the root itself for a root (or an empty text).
std::string ParentFolder(std::string_view path);

// The lines for the opened folder `folder` and the names of the folders
// inside it (in any order; shown sorted, ASCII letters without regard to
// case). The lines above the opened folder end in '\'; every level is
// indented by one blank more.
std::vector<FolderLine> FolderLines(std::string_view folder, std::vector<std::string> inside);

// The index of the opened folder's own line.
std::size_t OpenedLine(const std::vector<FolderLine>& lines);

}  // namespace quillet
