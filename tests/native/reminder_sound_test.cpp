// The pop-up's sound through a recording stand-in for the media commands.
#include "reminders/reminder_sound.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ReminderSound, TicksAlternateOpenPlayAndCloseAndTheOneAliasIsNeverCutInto) {
  EXPECT_EQ((std::vector<bool>{ReminderSounds("声音&窗口", "1"), ReminderSounds("声音&窗口", "0"),
                               ReminderSounds("声音&窗口", ""), ReminderSounds("只弹出窗口", "1")}),
            (std::vector<bool>{true, false, false, false}));
  std::vector<std::string> sent;
  bool fileMissing = false;
  SoundPlayer player([&](const std::string& command) {
    sent.push_back(command);
    return MediaReply{command.starts_with("Open") && fileMissing ? 275ul : 0ul, "playing "};
  });
  const char* sound = "C:\\Program Files\\提醒\\chime.wav";
  const std::string open = "Open \"C:\\Program Files\\提醒\\chime.wav\" Alias MCI";
  ReminderSoundRhythm rhythm(player);
  for (int tick = 0; tick < 3; ++tick) rhythm.Tick(true, sound);
  EXPECT_FALSE(player.Play("D:\\铃声.wav")) << "another window's play waits for the alias";
  rhythm.Stop();  // closed while playing, then while silent
  rhythm.Stop();
  rhythm.Tick(true, sound);
  rhythm.Tick(false, sound);  // a later reminder without sound: it plays out
  EXPECT_EQ(player.Mode(), "playing");
  rhythm.Stop();
  // A file that will not open: silent, tried again every tick; no file: nothing sent.
  fileMissing = true;
  for (const char* file : {sound, sound, ""}) rhythm.Tick(true, file);
  EXPECT_FALSE(rhythm.Playing());
  EXPECT_EQ(sent, (std::vector<std::string>{open, "Play MCI", "Close MCI", open, "Play MCI", "Close MCI",
                                            open, "Play MCI", "status MCI mode", "Close MCI", open, open}));
}

}  // namespace
}  // namespace quillet
