// The program's one sound player. It speaks the media control interface's
// command language through a sender it is given (the system's media calls
// in the program, a recording stand-in in the tests) and owns the one
// device alias of the program: while one window plays, another's play is
// refused instead of cutting into it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillet {

// What a media command returned: 0 for success, else the error number; the
// reply text (a status, for instance).
struct MediaReply {
  unsigned long code = 0;
  std::string text;
};
using MediaCommandSender = std::function<MediaReply(const std::string& command)>;

// The alias every sound of the program plays under.
inline constexpr char kSoundAlias[] = "MCI";

// The command that opens a sound file under the alias. The path goes in
// double quotes so that blanks in it ("C:\Program Files\...") stay part of
// it; a Windows path cannot itself hold a double quote.
std::string OpenSoundCommand(std::string_view path);

class SoundPlayer {
 public:
  explicit SoundPlayer(MediaCommandSender send);
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Opens the file under the alias and plays it from its start. False when
  // the open failed, the path is empty or the alias is already playing
  // something; then nothing else was sent.
  bool Play(std::string_view path);
  // Stops the sound and releases the alias ("Close"); nothing when the
  // alias is not open.
  void Stop();
  // The device's mode ("playing", "stopped"...), empty when nothing is open.
  std::string Mode();
  bool IsOpen() const { return open_; }

 private:
  MediaCommandSender send_;
  bool open_ = false;
};

}  // namespace quillet
