// The about page (Rightform): the program's picture, a notice with the
// version, and the way on to the help viewer.
#pragma once

#include "forms/form_win.h"
#include "win32/handles.h"

namespace quillet {

class AboutWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000版权说明";
  static constexpr ControlKey kButtons{"Pic"};
  static constexpr ControlKey kHelpButton{"Pic", 0};
  static constexpr ControlKey kCancelButton{"Pic", 1};
  static constexpr ControlKey kPicture{"Image1"};
  static constexpr ControlKey kLogo{"Logo"};
  static constexpr ControlKey kNoticeLabel{"lblCopyright"};
  AboutWindow();
  bool Load() { return LoadForm(); }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;

 private:
  win::Bitmap logo_;
  win::Bitmap picture_;
};

}  // namespace quillet
