// The folder list of the settings window, as logic: the opened folder with
// the folders above it up to its drive, then the folders inside it, one
// line each, indented by depth; each line stands for a full path.
// Windows paths ("C:\a\b", "\\server\share\a"), '/' taken as '\'.
#pragma once

#include <optional>
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

// What the list reads of the file system, by the backend of the platform
// (folder_list_winapi.cpp, folder_list_posix.cpp). Neither ever asks the
// user: a drive without a disc is only a folder that is not there.
struct FolderListing {
  std::string folder;               // the full path of the folder asked for
  std::vector<std::string> inside;  // the names of the visible folders in it, in no order
};
// Nothing when folder is empty, not there or no folder. Hidden folders
// (hidden or system on Windows, a leading '.' on POSIX) are left out.
std::optional<FolderListing> ListFolder(const std::string& folder);
// The root of every drive ("C:\"), in the system's order; "/" on POSIX.
std::vector<std::string> DriveRoots();
// True when folder names a folder that is there (false for an empty text).
bool FolderExists(const std::string& folder);

}  // namespace quillet
