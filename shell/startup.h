// Start-up texts and settings, as logic.
#pragma once

#include <string>
#include <string_view>

#include "settings/parameters.h"

namespace quillet {

// The message a second copy shows: the program file's name without its
// extension, then "已经在运行，请检查隐藏在屏幕边上的Quillet".
std::string AlreadyRunningText(std::string_view programPath);

// The settings start-up runs on. A parameter file that was read is taken as
// it is, except that an empty data folder becomes the program's folder (the
// data files would otherwise land in the root of the current drive) and a
// sound file named without a folder (the delivered settings name the
// delivered sound so) becomes that file in the program's folder. No file at
// all is a first run: the default settings with the program's folder as
// data folder and the delivered sound.
ParameterItems StartupSettings(const ParametersLoad& load, const std::string& programFolder);

}  // namespace quillet
