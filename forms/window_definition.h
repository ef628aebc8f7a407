// Declarative description of a window and its controls, positions in twips
// as the window manager never sees them: the window code turns them into
// pixels at the window's own DPI. Every window of the program states its
// caption, inner size and controls once, in one table, and builds itself
// from it.
#pragma once

#include <string>
#include <vector>

namespace quillet {

enum class ControlKind {
  Gleam,    // gradient push button of the control library ("Lantoc.Gleam")
  Picture,  // a drawn picture area (logo, corner pictures)
  Label,    // text drawn by the window itself
  TextBox,  // a system edit control
  CheckBox, // a system check box
  Option,   // a system option (radio) button
  Frame,    // a system group box with a caption
  ComboBox, // a system drop-down list (no typing)
  ListBox,  // a system list box (double-clicks and selection changes notified)
  ComboEdit,  // a system drop-down combo box whose text field shows any text
  Grid,     // the table view of forms/grid_win.h
  ScrollBar,  // a system horizontal scroll bar (its owner sets range and value)
};

struct ControlDef {
  ControlKind kind = ControlKind::Picture;
  std::string name;  // control group name: "Pic", "CP", "Lbl"...
  int index = 0;     // index within the group
  double left = 0;   // twips from the window's top-left corner
  double top = 0;
  double width = 0;
  double height = 0;
  std::string text;  // caption or initial text, UTF-8
  std::string font;  // face of labels and text boxes; empty: the system's
  double fontPoints = 0;
  bool bold = false;       // labels and text boxes: the font's weight and underline
  bool underline = false;
  bool multiLine = false;  // text boxes: several lines, vertical scroll bar
  bool scrollBar = true;   // multi-line text boxes: false leaves the scroll bar out
  bool readOnly = false;   // text boxes: shown and selectable, never edited
};

// Builders that keep the definition tables short.
ControlDef ButtonControl(std::string name, int index, double left, double top, double width,
                       double height, std::string text);
ControlDef Picture(std::string name, int index, double left, double top, double width,
                   double height);
ControlDef Label(std::string name, double left, double top, double width, double height,
                 std::string text, std::string font, double points);
ControlDef TextBox(std::string name, double left, double top, double width, double height,
                   std::string font, double points, bool multiLine);
// Check boxes, option buttons, frames, drop-down lists, list boxes and grids.
ControlDef SystemControl(ControlKind kind, std::string name, int index, double left, double top,
                         double width, double height, std::string text = {},
                         std::string font = {}, double points = 0);
// The same control as another member of its group.
ControlDef WithIndex(ControlDef control, int index);
ControlDef ScrollBar(std::string name, int index, double left, double top, double width,
                     double height);

struct WindowDef {
  std::string caption;  // UTF-8; other windows find this one by it
  double width = 0;     // inner size, twips
  double height = 0;
  std::vector<ControlDef> controls;
};

struct PixelBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A control's box in pixels at dpi: each edge is converted on its own, so
// that neighbouring controls stay flush however the halves round.
PixelBox ToPixels(const ControlDef& control, int dpi);

// The control name/index of def, or nullptr.
const ControlDef* FindControl(const WindowDef& def, const std::string& name, int index = 0);

// Where a button's caption goes (twips from the button's top-left corner):
// centred for the control's caption font, 13 pixels high at 96 dpi, with
// Chinese characters a square 13 pixels wide and other characters about
// half that. Never negative.
struct CaptionOffset {
  int x = 0;
  int y = 0;
};
CaptionOffset CentredCaption(const std::string& text, double width, double height);

// Control id used for child windows and notifications: a stable number
// from the control's position in the definition.
int ControlId(const WindowDef& def, const ControlDef& control);

}  // namespace quillet
