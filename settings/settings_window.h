// The personal settings window (设置, "　个人设置"): the reminder sound file
// with "浏览" and "试听", the data folder following the drive and folder
// lists, the six switches, the colours of the skin and of the work-record
// states, "保　　存" and "取　　消". Its controls are a working copy of the
// settings items; only "保　　存" (and "浏览" for the sound file) writes them.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/colour.h"
#include "forms/form_win.h"
#include "settings/parameters.h"
#include "settings/sound_trial.h"
#include "win32/handles.h"
#include "win32/paint.h"

namespace quillet {

class SettingsWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000个人设置";
  static constexpr ControlKey kTexts{"Txt"};
  static constexpr ControlKey kDataFolderBox{"Txt", 0};
  static constexpr ControlKey kSoundFileBox{"Txt", 1};
  static constexpr ControlKey kSampleBox{"Txt", 2};  // the button text colour's sample
  static constexpr ControlKey kSaveButton{"Cmd", 0};
  static constexpr ControlKey kCancelButton{"Cmd", 1};
  static constexpr ControlKey kBrowseButton{"Cmd", 2};
  static constexpr ControlKey kTrialButton{"Cmd", 3};
  static constexpr ControlKey kDrives{"Driver"};
  static constexpr ControlKey kFolders{"Dir"};
  static constexpr ControlKey kSwitchBoxes{"Chk"};
  // The colour pictures: background, buttons, then the five states.
  static constexpr ControlKey kColourPictures{"Pic"};
  static constexpr ControlKey kBackgroundPicture{"Pic", 0};
  static constexpr ControlKey kButtonPicture{"Pic", 1};
  static constexpr ControlKey kLabels{"Lbl"};
  static constexpr ControlKey kFrames{"Frame"};  // drawn by the window

  SettingsWindow();
  // Loads the window (hidden) with the controls filled from the items.
  bool Load() { return LoadForm(); }
  // Runs after a save has changed the items, so that the panel takes the
  // new colours and switches at once.
  void OnSaved(std::function<void()> saved) { saved_ = std::move(saved); }

  // Whether the sound of "试听" plays.
  bool TrialPlaying() const { return trial_.Playing(); }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  void OnPictureMouse(const ControlDef& control, UINT message) override;
  void OnCommand(const ControlDef& control, int code) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnUnload() override;
  bool OnEscape() override {  // as "取　　消"
    Unload();
    return true;
  }

 private:
  LRESULT ControlKeys(HWND control, UINT msg, WPARAM wParam, LPARAM lParam);
  bool OnKey(HWND control, WPARAM key);
  // "保　　存": checks, carries the data files over to a new data folder,
  // writes the settings file, closes the window. False (the window stays
  // open, the user told why) when nothing was saved.
  bool Save();
  // The controls as the working copy holds them.
  SettingsControls Controls() const;
  // Opens a folder in the folder list; false when it does not exist (the
  // list stays).
  bool OpenFolder(const std::string& folder);
  // A colour box's colour (0..6) or the sample's text colour (7).
  void SetColour(int box, Colour colour);
  void PaintFrame(const PaintTarget& target, const ControlDef& frame) const;
  void FillDrives();
  void DriveChosen();
  void FolderChosen(bool open);
  void ChooseColour(int box);
  void BrowseSound();
  void PressTrial();

  std::function<void()> saved_;
  SoundTrial trial_;
  std::array<Colour, 8> colours_{};  // boxes 0..6, then the sample's text colour
  std::array<COLORREF, 16> customColours_{};  // the colour dialog's own, kept while the program runs
  std::vector<std::string> drives_;  // roots, parallel to the drive list
  std::string opened_;               // the folder list's open folder
  std::vector<std::string> lines_;   // the folder list's paths, parallel to its lines
  win::ColourBrush switchBrush_;     // the switches' back colour
};

// Shows the settings window; saved runs after each save that changed the
// items.
void ShowSettingsWindow(Program& program, std::function<void()> saved);

}  // namespace quillet
