// The docked main panel of the organiser.
#pragma once

#include "shell/colour.h"
#include "win32/window_base.h"

namespace quillet {

class MainWindow : public win::Window {
 public:
  static constexpr const wchar_t* kCaption = L"\x3000Quillet";
  static constexpr int kWidthTwips = 1700;
  static constexpr int kHeightTwips = 4260;

  // Creates the panel centred on the screen; false if the window failed.
  bool Open(Colour background);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  Colour background_ = 0;
};

}  // namespace quillet
