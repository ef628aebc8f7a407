#include "base/paths.h"

#include "base/file_store.h"

namespace quillet {

std::string FileInFolder(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += kPathSeparator;
  path += name;
  return path;
}

}  // namespace quillet
