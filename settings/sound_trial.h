// "试听" of the settings window: the chosen sound file played once through
// the program's one player while the window stays responsive. A second
// press while it plays stops it; the window watches for the end on a timer
// (no busy waiting) and closes the device then.
#pragma once

#include <string_view>

#include "forms/sound_player.h"

namespace quillet {

// How often the window asks whether the trial still plays, milliseconds.
inline constexpr unsigned kSoundTrialWatchMs = 200;

class SoundTrial {
 public:
  explicit SoundTrial(SoundPlayer& player) : player_(&player) {}

  // A press of "试听": stops the trial's sound when it plays, else plays the
  // file (its path trimmed). True when a sound now plays and wants
  // watching. An empty path, a file that cannot be opened or the alias in
  // use by the reminder pop-up leave it silent.
  bool Press(std::string_view path);
  // One look: false once the trial's sound has ended (the device is then
  // closed) or was never started.
  bool StillPlaying();
  // The window goes: the trial's sound stops.
  void Stop();
  bool Playing() const { return playing_; }

 private:
  SoundPlayer* player_;  // borrowed; the program's one player
  bool playing_ = false;
};

}  // namespace quillet
