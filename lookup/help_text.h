// INTEGRATION POINT: reading the help file belongs to the look-up module's
// help-file reader; this declaration is what the viewer needs from it.
#pragma once

#include <optional>
#include <string>

namespace quillet {

// The help file's lines, each followed by CR LF, as UTF-8; nothing when the
// file cannot be opened or read.
std::optional<std::string> ReadHelpText(const std::string& path);

}  // namespace quillet
