// The media control interface of the system behind the program's sound
// player.
#pragma once

#include <string>

#include "forms/sound_player.h"

namespace quillet {

// Sends one command string through the wide-character media call (any
// Unicode character in a path reaches the device), with a 256-character
// reply buffer and no callback window.
MediaReply SendMediaCommand(const std::string& command);

// The one player of the program, over SendMediaCommand. It is never
// destroyed: a sound still open at exit goes with the process.
SoundPlayer& ProgramSoundPlayer();

}  // namespace quillet
