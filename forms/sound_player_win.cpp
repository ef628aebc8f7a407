#include "forms/sound_player_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "win32/text.h"

namespace quillet {

MediaReply SendMediaCommand(const std::string& command) {
  wchar_t reply[256] = {};
  MediaReply result;
  result.code = ::mciSendStringW(win::Widen(command).c_str(), reply, 256, nullptr);
  result.text = win::Narrow(reply);
  return result;
}

SoundPlayer& ProgramSoundPlayer() {
  static auto* player = new SoundPlayer(SendMediaCommand);
  return *player;
}

}  // namespace quillet
