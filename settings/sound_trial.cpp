#include "settings/sound_trial.h"

#include "base/field_reader.h"

namespace quillet {

bool SoundTrial::Press(std::string_view path) {
  if (playing_) {
    Stop();
    return false;
  }
  playing_ = player_->Play(Trim(path));
  return playing_;
}

bool SoundTrial::StillPlaying() {
  if (!playing_) return false;
  // The pop-up's close may have taken the shared alias down already.
  if (player_->IsOpen() && player_->Mode() == "playing") return true;
  Stop();
  return false;
}

void SoundTrial::Stop() {
  if (playing_) player_->Stop();
  playing_ = false;
}

}  // namespace quillet
