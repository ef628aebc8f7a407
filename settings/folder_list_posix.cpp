#include <filesystem>
#include <system_error>

#include "settings/folder_list.h"

namespace quillet {

std::optional<FolderListing> ListFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  if (folder.empty()) return std::nullopt;
  std::error_code error;
  const fs::path full = fs::canonical(folder, error);
  if (error || !fs::is_directory(full, error)) return std::nullopt;
  FolderListing listing{full.string(), {}};
  for (fs::directory_iterator entry(full, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    std::error_code kind;
    if (!name.empty() && name[0] != '.' && entry->is_directory(kind)) {
      listing.inside.push_back(name);
    }
  }
  return listing;
}

std::vector<std::string> DriveRoots() { return {"/"}; }

bool FolderExists(const std::string& folder) {
  std::error_code error;
  return !folder.empty() && std::filesystem::is_directory(folder, error);
}

}  // namespace quillet
