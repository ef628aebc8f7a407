#include "reminders/reminder_sound.h"

#include "base/numbers.h"
#include "reminders/reminder.h"

namespace quillet {

bool ReminderSounds(std::string_view prompt, std::string_view soundSwitch) {
  return PromptWantsSound(prompt) && LenientNumber(soundSwitch) != 0;
}

void ReminderSoundRhythm::Tick(bool soundWanted, std::string_view soundFile) {
  if (!soundWanted) return;
  if (playing_) {
    Stop();
  } else {
    playing_ = player_->Play(soundFile);
  }
}

void ReminderSoundRhythm::Stop() {
  if (!playing_) return;
  player_->Stop();
  playing_ = false;
}

}  // namespace quillet
