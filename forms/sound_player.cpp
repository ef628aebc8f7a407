#include "forms/sound_player.h"

#include <utility>

#include "base/field_reader.h"

namespace quillet {

std::string OpenSoundCommand(std::string_view path) {
  return "Open \"" + std::string(path) + "\" Alias " + kSoundAlias;
}

SoundPlayer::SoundPlayer(MediaCommandSender send) : send_(std::move(send)) {}

bool SoundPlayer::Play(std::string_view path) {
  if (open_ || path.empty()) return false;
  if (send_(OpenSoundCommand(path)).code != 0) return false;
  open_ = true;
  // A device that opened but does not play stays open: Stop releases it.
  send_(std::string("Play ") + kSoundAlias);
  return true;
}

void SoundPlayer::Stop() {
  if (!open_) return;
  send_(std::string("Close ") + kSoundAlias);
  open_ = false;
}

std::string SoundPlayer::Mode() {
  if (!open_) return {};
  const MediaReply reply = send_(std::string("status ") + kSoundAlias + " mode");
  return reply.code == 0 ? Trim(reply.text) : std::string();
}

}  // namespace quillet
