// The help viewer (Help): the program's help text from Help.dat beside the
// program, in a scrolling text box under a drawn title.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "forms/form_win.h"
#include "win32/handles.h"

namespace quillet {

class HelpWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000帮助";
  static constexpr ControlKey kText{"Txt"};
  static constexpr ControlKey kClose{"CP"};  // the close picture
  static constexpr ControlKey kLogo{"Logo"};
  HelpWindow();
  // Loads the window and reads the help file; false (and not loaded) when
  // the file could not be read, after telling the user.
  bool Load();
  // The text box's text.
  std::string Text() const;
  // -1 normal close picture, 0 highlighted.
  std::int16_t CloseHover() const { return closeHover_[0]; }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  void OnPictureMouse(const ControlDef& control, UINT message) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnUnload() override;

 private:
  std::array<std::int16_t, 2> closeHover_{-1, -1};
  win::Bitmap logo_;
  win::Bitmap closeNormal_;
  win::Bitmap closeHighlight_;
};

// Shows the help viewer modeless (reading the program folder's help file
// afresh when it is not open yet).
void ShowHelpViewer(Program& program);

}  // namespace quillet
