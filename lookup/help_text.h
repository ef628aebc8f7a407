// The help viewer's text: the lines of Help.dat (code page 936, in the
// program's folder), each followed by CR LF, the last one too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr std::string_view kHelpFileName = "Help.dat";

// n lines (CR LF, lone CR or lone LF ending each) give n lines ended by CR LF;
// an empty text gives an empty text.
std::string HelpBoxText(std::string_view fileText);

// The text for the help box, or nothing when the file cannot be read (most
// often it is missing): the caller then shows "无法打开帮助文件！" and closes
// the viewer.
std::optional<std::string> ReadHelpText(const std::string& helpFilePath);

}  // namespace quillet
