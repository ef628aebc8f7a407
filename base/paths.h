// Paths of the files in the program's folder (paramter.dat, Code.dat,
// Help.dat). Paths are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// folder + name, with a separator between them unless the folder already
// ends with one ("C:\" at a drive's root).
std::string FileInFolder(const std::string& folder, std::string_view name);

}  // namespace quillet
