// The reminder pop-up (定时器): a small window above all others in the
// middle of the screen with a fixed heading, the reminder's text in lines of
// 18 characters and one button that closes it. While the reminder asks for
// sound, the user's sound file plays in a two-second rhythm.
#pragma once

#include <string>
#include <string_view>

#include "forms/form_win.h"
#include "reminders/reminder_sound.h"

namespace quillet {

class ReminderPopupWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000定时器";
  static constexpr ControlKey kHeadingLabel{"Label1"};
  static constexpr ControlKey kTextLabel{"Lbl"};
  static constexpr ControlKey kCloseButton{"Pic"};
  ReminderPopupWindow();

  // Loads the window if it is not loaded (centred, silent), puts the text
  // (already wrapped) in its label and shows it; an open window keeps its
  // place and its sound rhythm. The prompt method decides the sound from
  // the next tick on.
  void Present(std::string_view text, std::string_view prompt);
  const std::string& Text() const { return text_; }
  bool SoundPlaying() const { return sound_.Playing(); }

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void DrawLabel(const PaintTarget& target, ControlKey label, std::string_view text) const;

  std::string text_;
  std::string prompt_;  // the prompt method of the reminder shown
  ReminderSoundRhythm sound_;
};

// Hands one reminder to the pop-up of program: its content broken into
// lines of 18 characters, and its prompt method, which decides the sound
// from the next tick on.
void ShowReminder(Program& program, std::string_view content, std::string_view prompt);

}  // namespace quillet
