// The reminder pop-up (定时器): a small window above all others in the
// middle of the screen with a fixed heading, the reminders that came due in
// one tick (each in lines of 18 characters, a scroll bar when they do not
// fit), a button that closes it and one that brings them back later. While
// a reminder asks for sound, the user's sound file plays in a two-second
// rhythm.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/form_win.h"
#include "reminders/reminder_sound.h"
#include "reminders/schedule.h"

namespace quillet {

class ReminderPopupWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000定时器";
  static constexpr ControlKey kHeadingLabel{"Label1"};
  static constexpr ControlKey kTextLabel{"Lbl"};
  static constexpr ControlKey kCloseButton{"Pic", 0};
  static constexpr ControlKey kSnoozeButton{"Pic", 1};
  // The snooze choice: minutes, and the menu entries' command ids.
  static constexpr int kSnoozeMinutes[] = {5, 10, 30, 60};
  ReminderPopupWindow();

  // Loads the window if it is not loaded (centred, silent), shows these
  // reminders (in place of those it showed) and shows it; an open window
  // keeps its place and its sound rhythm. The prompt method decides the
  // sound from the next tick on.
  void Present(std::vector<FiredReminder> reminders, std::string_view prompt);
  const std::string& Text() const { return text_; }
  bool SoundPlaying() const { return sound_.Playing(); }
  // The first line shown and whether the scroll bar is there.
  int TopLine() const { return topLine_; }
  bool Scrolls() const { return scrolls_; }

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OnEscape() override {  // as "关闭提醒"
    Unload();
    return true;
  }

 private:
  // skipLines: the lines scrolled away, -1 for a label that never scrolls.
  void DrawLabel(const PaintTarget& target, ControlKey label, std::string_view text, int right,
                 int skipLines) const;
  void LayOutScrollBar();
  void ScrollTo(int line);
  void ChooseSnooze();

  std::string text_;
  std::vector<FiredReminder> shown_;
  std::string prompt_;  // the prompt method that decides the sound
  int lines_ = 0;    // lines of text_
  int topLine_ = 0;  // the first line in the label
  bool scrolls_ = false;
  HWND scrollBar_ = nullptr;  // a child of the window, destroyed with it
  ReminderSoundRhythm sound_;
};

// Hands the reminders of one tick to the pop-up of program, in file order;
// the first that asks for sound decides the sound from the next tick on,
// else the last.
void ShowReminders(Program& program, std::vector<FiredReminder> reminders);

}  // namespace quillet
