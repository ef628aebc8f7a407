// The settings of a first run: the skin, switches and panel position the
// program starts with when it finds no parameter file, and that the
// delivered paramter.dat holds (tools/make-default-settings writes that file
// from this table, and a test keeps the two equal).
#pragma once

#include <string_view>

#include "base/colour.h"
#include "settings/parameters.h"

namespace quillet {

// Light steel blue: with the gradient's step of 2 the panel ends in a deep
// blue that keeps black and white text readable.
inline constexpr Colour kDefaultBackground = MakeColour(0xB4, 0xCD, 0xEB);

// The reminder sound delivered beside the program (tools/make-reminder-sound
// writes it). The settings name it by its bare file name; start-up makes
// that the full path in the program's folder.
inline constexpr char kDeliveredSoundFile[] = "reminder-chime.wav";

// dataFolder becomes item 0 (the folder of schedule.dat and timer.dat); the
// delivered file leaves it empty and start-up fills in the program's folder.
ParameterItems DefaultSettings(std::string_view dataFolder);

}  // namespace quillet
