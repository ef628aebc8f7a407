// The reminder pop-up's sound through a recording stand-in for the media
// commands: the exact commands over several ticks, prompt changes, closing
// while playing and while silent, a file that will not open, two users of
// the one alias; and the delivered chime, which the tool reproduces.
#include "reminders/reminder_sound.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>

#include "forms/sound_player.h"

namespace quillet {
namespace {

constexpr char kSound[] = "C:\\Program Files\\Quillet 提醒\\reminder-chime.wav";
const std::string kOpen = "Open \"C:\\Program Files\\Quillet 提醒\\reminder-chime.wav\" Alias MCI";

// Records every command; an open of a path in `missing` fails as the system
// does for a file that is not there.
struct RecordingDevice {
  std::vector<std::string> sent;
  std::set<std::string> missing;
  MediaCommandSender Sender() {
    return [this](const std::string& command) {
      sent.push_back(command);
      for (const std::string& path : missing) {
        if (command == OpenSoundCommand(path)) return MediaReply{275, {}};  // file not found
      }
      return MediaReply{0, command.starts_with("status") ? "playing   " : ""};
    };
  }
  std::vector<std::string> Take() { return std::exchange(sent, {}); }
};

TEST(ReminderSound, TicksAlternateOpenPlayAndCloseAndStopClosesOnlyWhilePlaying) {
  RecordingDevice device;
  SoundPlayer player(device.Sender());
  ReminderSoundRhythm rhythm(player);
  const bool sound = ReminderSounds("声音&窗口", "1");
  for (int tick = 0; tick < 4; ++tick) rhythm.Tick(sound, kSound);
  EXPECT_EQ(device.Take(), (std::vector<std::string>{kOpen, "Play MCI", "Close MCI", kOpen,
                                                     "Play MCI", "Close MCI"}));
  // Closed in a silent phase: nothing to send; in a playing one: Close.
  rhythm.Stop();
  EXPECT_TRUE(device.Take().empty());
  rhythm.Tick(sound, kSound);
  EXPECT_EQ(player.Mode(), "playing");
  rhythm.Stop();
  EXPECT_EQ(device.Take(), (std::vector<std::string>{kOpen, "Play MCI", "status MCI mode", "Close MCI"}));
  EXPECT_FALSE(rhythm.Playing());

  // A later reminder without sound while one plays: the ticks do nothing,
  // the sound plays out and is closed when the pop-up goes.
  rhythm.Tick(sound, kSound);
  device.Take();
  for (int tick = 0; tick < 3; ++tick) rhythm.Tick(ReminderSounds("只弹出窗口", "1"), kSound);
  EXPECT_TRUE(device.Take().empty());
  rhythm.Stop();
  EXPECT_EQ(device.Take(), std::vector<std::string>{"Close MCI"});
}

TEST(ReminderSound, TheSwitchSilencesEveryPromptAndAFileThatWillNotOpenIsTriedEveryTick) {
  // Sound only when the prompt asks for it and the user's switch is on.
  EXPECT_EQ((std::vector<bool>{ReminderSounds("声音&窗口", "1"), ReminderSounds("声音&窗口", "0"),
                               ReminderSounds("声音&窗口", ""), ReminderSounds("只弹出窗口", "1"),
                               ReminderSounds("带声音的提醒", " 1"), ReminderSounds("", "1")}),
            (std::vector<bool>{true, false, false, false, true, false}));

  RecordingDevice device;
  device.missing = {kSound};
  SoundPlayer player(device.Sender());
  ReminderSoundRhythm rhythm(player);
  for (int tick = 0; tick < 3; ++tick) rhythm.Tick(true, kSound);
  EXPECT_EQ(device.Take(), (std::vector<std::string>{kOpen, kOpen, kOpen}));
  EXPECT_FALSE(rhythm.Playing());
  rhythm.Stop();
  // No sound file chosen: nothing to open at all.
  rhythm.Tick(true, "");
  EXPECT_TRUE(device.Take().empty());
  // The file turns up: the next tick plays it.
  device.missing.clear();
  rhythm.Tick(true, kSound);
  EXPECT_EQ(device.Take(), (std::vector<std::string>{kOpen, "Play MCI"}));
}

TEST(ReminderSound, TwoWindowsShareTheOneAliasWithoutCuttingIntoEachOther) {
  RecordingDevice device;
  SoundPlayer player(device.Sender());
  ReminderSoundRhythm popup(player);
  popup.Tick(true, kSound);
  device.Take();
  // The settings window's test play while the pop-up plays: refused, and
  // the pop-up's sound goes on.
  EXPECT_FALSE(player.Play("D:\\铃声.wav"));
  EXPECT_TRUE(device.Take().empty());
  popup.Tick(true, kSound);  // the pop-up's silent phase frees the alias
  EXPECT_TRUE(player.Play("D:\\铃声.wav"));
  // Now the pop-up's tick finds the alias taken and stays silent.
  popup.Tick(true, kSound);
  EXPECT_FALSE(popup.Playing());
  popup.Stop();
  player.Stop();
  EXPECT_EQ(device.Take(), (std::vector<std::string>{"Close MCI", "Open \"D:\\铃声.wav\" Alias MCI",
                                                     "Play MCI", "Close MCI"}));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DeliveredSound, IsTheToolsShortChimeAsAWaveFile) {
  const std::string delivered = ReadFile(QUILLET_SOURCE_DIR "/data/reminder-chime.wav");
  const std::string made = testing::TempDir() + "reminder-chime.wav";
  ASSERT_EQ(std::system((QUILLET_BINARY_DIR "/make-reminder-sound \"" + made + "\"").c_str()), 0);
  const std::string fresh = ReadFile(made);
  std::remove(made.c_str());
  // 16-bit mono PCM at 22050 Hz, shorter than the pop-up's 2-second rhythm.
  ASSERT_GT(delivered.size(), 44u);
  EXPECT_EQ(delivered.substr(0, 4) + delivered.substr(8, 8) + delivered.substr(36, 4), "RIFFWAVEfmt data");
  EXPECT_EQ(delivered.substr(20, 16), std::string("\1\0\1\0\x22\x56\0\0\x44\xAC\0\0\2\0\x10\0", 16));
  const double seconds = static_cast<double>(delivered.size() - 44) / (22050 * 2);
  EXPECT_TRUE(seconds > 0.5 && seconds < 1.5) << seconds;
  // The tool makes it again, to a rounding step of the last bit per sample
  // (another maths library may round a sine differently).
  ASSERT_EQ(fresh.size(), delivered.size());
  EXPECT_EQ(fresh.substr(0, 44), delivered.substr(0, 44));
  int largestStep = 0;
  for (std::size_t i = 44; i + 1 < fresh.size(); i += 2) {
    const auto sample = [](const std::string& b, std::size_t at) {
      return static_cast<std::int16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
    };
    largestStep = std::max(largestStep, std::abs(sample(fresh, i) - sample(delivered, i)));
  }
  EXPECT_LE(largestStep, 1);
}

}  // namespace
}  // namespace quillet
