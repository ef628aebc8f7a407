// Base of every window of the program ("form"): built from its window
// definition, one instance per window, known to the load-order registry
// while it is loaded. It owns the common behaviour: pixels from twips at the
// window's DPI, the buffered paint shared by WM_PAINT and WM_PRINTCLIENT,
// the frameless skinned look (topmost, rounded, centred), dragging by the
// surface, the drawn pictures' mouse events and clicks, the gradient
// buttons (Lantoc.Gleam controls) and their clicks, and re-layout when the
// DPI changes.
//
// A new window of the program is one file pair, xxx_window.h/.cpp, in the
// folder of its subsystem (calendar/, worklog/, reminders/, settings/,
// lookup/; the panel's own windows in shell/). It may include base/, win32/
// and forms/, never another subsystem; the panel reaches it through the
// navigation table that start-up fills in (shell/navigation.h):
//   class XxxWindow : public Form {
//    public:
//     XxxWindow() : Form(XxxDefinition(), FormStyle{...}) {}
//     bool Load() { return LoadForm(); }      // plus whatever it reads first
//    protected:
//     void OnLoad() override;                   // pictures, timers (buttons are coloured already)
//     void Paint(const PaintTarget&) override;  // PaintTitleBar(...) etc.
//     void OnClick(const ControlDef&) override; // buttons and pictures
//   };
// where XxxDefinition() lists the caption, the inner size in twips and the
// controls (ButtonControl, Picture, Label, TextBox, ScrollBar); the window
// is reached through TheForm<XxxWindow>(), given its program with Attach(),
// shown with Load() + Show() and closed with Unload(). Windows never find
// each other by caption: what one asks of another goes through the Program
// (forms/program.h), which the shell implements.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/grid_win.h"
#include "forms/program.h"
#include "forms/skin.h"
#include "forms/skin_paint_win.h"
#include "forms/window_definition.h"
#include "win32/gleam_host.h"
#include "win32/handles.h"
#include "win32/window_base.h"

namespace quillet {

struct FormStyle {
  bool topmost = true;   // above all other windows
  bool rounded = true;   // RoundCorners(window, 20)
  bool framed = false;   // keeps the system frame and title bar
  bool sizable = true;   // framed: a sizing border and maximize box, else a fixed frame
  bool centred = true;   // centred on the screen when it loads
};

class Form : public win::Window {
 public:
  ~Form() override;

  bool IsLoaded() const { return IsAlive(); }
  // Destroys the window (its OnUnload runs first); the object stays and a
  // later Load creates a fresh window.
  void Unload();
  void Show();  // modeless
  void Hide();
  bool IsShown() const { return IsLoaded() && ::IsWindowVisible(hwnd()); }

  // The program the window belongs to: whoever opens the window attaches it
  // before Load.
  void Attach(Program& program) { program_ = &program; }
  Program& program() const { return *program_; }
  // The skin of the program's settings.
  Skin CurrentSkin() const { return SkinOf(program_->state.Parameters); }
  // The colours to paint in: the skin's, or the system's in high contrast.
  Palette CurrentPalette() const { return PaletteNow(CurrentSkin()); }

  const WindowDef& Definition() const { return def_; }
  int Dpi() const;
  int Px(double twips) const;
  // A control's box in client pixels; an empty box for an unknown control.
  RECT ControlBox(ControlKey key) const;
  // The child window of a gradient button, text box, check box, option,
  // frame, drop-down list, list box, scroll bar or grid, else nullptr.
  HWND ControlWindow(ControlKey key) const;
  // The table view of a grid control, else nullptr.
  GridView* Grid(ControlKey key) const;
  // Outer position, twips.
  double LeftTwips() const;
  double TopTwips() const;
  void MoveToTwips(double left, double top);

  // Paints the whole client area into dc (what WM_PAINT shows).
  void Render(HDC dc);
  // The client area as it would look at another DPI, sized from the
  // definition (drawn pictures keep the window's own DPI).
  void Render(HDC dc, int dpi);
  // Presses a gradient button with the left mouse button and lets it go.
  void ClickButton(ControlKey key);
  // Esc pressed in the window where no control of it takes the key: true
  // when the window acted on it (closed as its cancel button does).
  virtual bool OnEscape() { return false; }
  // The keys the message loop gives the window before the control that has
  // the focus: Esc (OnEscape), Tab and Shift+Tab (the next and previous
  // control that takes input, in reading order), Up and Down where
  // ArrowsMoveFocus, arrows among option buttons, and Enter or Space on a
  // gradient button, which press it. True when the key was used.
  bool OnNavigationKey(HWND target, WPARAM key, bool repeat);
  // The focused gradient button shows a focus cue from now on, as after a
  // key press (windows opened meanwhile take the cue over).
  void ShowFocusCues();

 protected:
  Form(WindowDef def, FormStyle style);

  // Creates the window (hidden) with its controls, gives the buttons the
  // user's button and caption colours and runs OnLoad. True
  // when the window is loaded afterwards (also when it already was).
  bool LoadForm();

  virtual void OnLoad() {}
  virtual void Paint(const PaintTarget& target) = 0;
  // A push button or a drawn picture was clicked.
  virtual void OnClick(const ControlDef& /*control*/) {}
  // Mouse events of a drawn picture (WM_MOUSEMOVE, WM_xBUTTONDOWN/UP).
  virtual void OnPictureMouse(const ControlDef& /*control*/, UINT /*message*/) {}
  // A notification (WM_COMMAND code) of a system control of the window.
  virtual void OnCommand(const ControlDef& /*control*/, int /*code*/) {}
  // Whether a drawn picture is visible (and so takes the mouse).
  virtual bool PictureShown(const ControlDef& /*control*/) const { return true; }
  // Whether Up and Down move the focus as Shift+Tab and Tab do.
  virtual bool ArrowsMoveFocus() const { return false; }
  // Whether a control that takes input is a stop of Tab now.
  virtual bool TabStop(const ControlDef& /*control*/) const { return true; }
  // WM_DESTROY: the controls still exist.
  virtual void OnUnload() {}
  // Window-specific messages; return true when handled (result in *result).
  virtual bool OnFormMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                             LRESULT* /*result*/) {
    return false;
  }

  // A window that reshapes itself changes its definition, then applies it:
  // the window takes the new size about its centre, the controls their new
  // boxes and fonts, and the corners are rounded afresh.
  WindowDef& MutableDefinition() { return def_; }
  void ApplyDefinition();

  void InvalidateControl(ControlKey key);
  // Draws a label's text in its box and font at the target's DPI, in the
  // palette's text colour, over what is there.
  void PaintLabel(const PaintTarget& target, const ControlDef& label, UINT format) const;
  // The font of a control that names one (owned by the form), or nullptr.
  HFONT ControlFont(ControlKey key) const;
  // ForeColor and TextColor of every gradient button of the window.
  void SetButtonColours(Colour fore, Colour text);
  // The system's colours or high contrast changed: the buttons take the
  // palette's colours and the window with its controls paints afresh.
  void OnColoursChanged();

 private:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) final;
  void OnDetached() final;
  void CreateControls();
  void LayoutControls();
  const ControlDef* PictureAt(POINT client) const;
  void RoutePictureMouse(UINT msg, LPARAM lParam);
  // The control window of def_.controls[i], or nullptr.
  HWND ChildAt(std::size_t i) const;
  // The index of the control that is window or holds it, else the count of
  // controls.
  std::size_t ControlHolding(HWND window) const;
  // The option buttons of option i's group that exist, in definition order.
  std::vector<std::size_t> OptionGroup(std::size_t i) const;
  // Every gradient button takes the palette's button and caption colours.
  void ColourButtons();
  // Whether control i takes the focus now: shown, enabled and a Tab stop.
  bool TakesFocus(std::size_t i) const;
  // Moves the focus step controls on in reading order (wrapping round).
  bool MoveFocus(int step);
  // An arrow on option button i: the next or previous option of its group
  // is checked and focused.
  bool MoveOption(std::size_t i, int step);
  // Draws over a gradient button's face: the focus cue when it has the
  // focus, and in high contrast its edge.
  void PaintOverButton(HWND button, const ControlDef& control) const;

  WindowDef def_;
  FormStyle style_;
  std::vector<HWND> children_;     // parallel to def_.controls; nullptr if drawn
  // The gradient buttons, parallel to def_.controls (empty for the others).
  std::vector<std::unique_ptr<win::GleamButton>> buttons_;
  // The grids, parallel to def_.controls (empty for the others).
  std::vector<std::unique_ptr<GridView>> grids_;
  std::vector<win::Font> fonts_;   // parallel to def_.controls; owned here
  const ControlDef* pressed_ = nullptr;  // picture under a pressed button
  bool focusCues_ = false;  // the keyboard was used: the focused button shows it
  Colour cueColour_ = 0;    // the buttons' caption colour: their cue and edge
  Program* program_ = nullptr;
};

// The font a label or text box names, at dpi (points to pixels); empty when
// the control names none.
win::Font ControlFontAt(const ControlDef& control, int dpi);

// One instance per window type, created on first use.
template <typename T>
T& TheForm() {
  static T form;
  return form;
}

// Loaded windows, in load order.
std::vector<Form*> LoadedForms();
// A key pressed in a loaded window or one of its controls, given to the
// window's OnNavigationKey. The message loops call it before translating
// and dispatching a message, and drop the message when it gives true.
bool RouteKey(const MSG& msg);
// Unloads every loaded window other than keep, first loaded first.
void UnloadFormsExcept(const Form* keep);

}  // namespace quillet
