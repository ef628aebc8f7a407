// The sound of the reminder pop-up: on every tick of its two-second timer
// the sound file starts from its beginning or is cut off, by turns, for as
// long as the pop-up is open and the reminder asks for sound. The first
// sound starts one tick after the pop-up appeared.
#pragma once

#include <string>
#include <string_view>

#include "forms/sound_player.h"

namespace quillet {

inline constexpr unsigned kReminderSoundTickMs = 2000;

// Whether a reminder with this prompt method sounds: its prompt asks for
// sound ("声音") and the user's switch "定时提醒是否提示声音" (a lenient number,
// 0 or empty for off) is on.
bool ReminderSounds(std::string_view prompt, std::string_view soundSwitch);

class ReminderSoundRhythm {
 public:
  explicit ReminderSoundRhythm(SoundPlayer& player) : player_(&player) {}

  // One tick. With sound wanted: a playing sound is closed, else the file is
  // opened and played; a file that cannot be opened leaves the pop-up
  // silent until a later tick opens it. Without: nothing at all, so a sound
  // already started plays to its end and stays open until Stop.
  void Tick(bool soundWanted, std::string_view soundFile);
  // The pop-up goes: the sound is closed if it is playing.
  void Stop();
  bool Playing() const { return playing_; }

 private:
  SoundPlayer* player_;  // borrowed; the program's one player
  bool playing_ = false;
};

}  // namespace quillet
