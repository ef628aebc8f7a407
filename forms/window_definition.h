// Declarative description of a window and its controls, positions in twips
// as the window manager never sees them: the window code turns them into
// pixels at the window's own DPI. Every window of the program states its
// caption, inner size and controls once, in one table, and builds itself
// from it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
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

// A control of a window: the group name and index its definition gives it.
// Each window names its controls once, as constants of this type, and both
// builds and finds them by those.
struct ControlKey {
  std::string_view name;
  int index = 0;
  // Member i of the same group.
  constexpr ControlKey operator[](int i) const { return {name, i}; }
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
  // Boxes, lists, check boxes and scroll bars: the labels drawn beside the
  // control that name it to a screen reader (AccessibleName).
  std::vector<ControlKey> namedBy;
};

// Builders that keep the definition tables short.
ControlDef ButtonControl(ControlKey key, double left, double top, double width, double height,
                         std::string text);
ControlDef Picture(ControlKey key, double left, double top, double width, double height);
ControlDef Label(ControlKey key, double left, double top, double width, double height,
                 std::string text, std::string font, double points);
ControlDef TextBox(ControlKey key, double left, double top, double width, double height,
                   std::string font, double points, bool multiLine);
// Check boxes, option buttons, frames, drop-down lists, list boxes and grids.
ControlDef SystemControl(ControlKind kind, ControlKey key, double left, double top, double width,
                         double height, std::string text = {}, std::string font = {},
                         double points = 0);
ControlDef ScrollBar(ControlKey key, double left, double top, double width, double height);

// The key of a control of a definition.
inline ControlKey KeyOf(const ControlDef& control) { return {control.name, control.index}; }
// Whether the control is the one of key, or a member of key's group.
bool Is(const ControlDef& control, ControlKey key);
bool InGroup(const ControlDef& control, ControlKey group);

struct WindowDef {
  std::string caption;  // UTF-8
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

// The order in which the keyboard visits boxes: in rows from the top, each
// row left to right. A box joins the row of the topmost box not yet in a
// row when its top lies less than half the shorter one's height below the
// first one's top, so a tall table and a short button beside its top share
// a row, and one beside its foot does not. Gives indexes into boxes.
std::vector<std::size_t> ReadingOrder(const std::vector<PixelBox>& boxes);

// The control of def that key names, or nullptr.
const ControlDef* FindControl(const WindowDef& def, ControlKey key);

// Where a button's caption goes (twips from the button's top-left corner):
// centred for the control's caption font, 13 pixels high at 96 dpi, with
// Chinese characters a square 13 pixels wide and other characters about
// half that. Never negative.
struct CaptionOffset {
  int x = 0;
  int y = 0;
};
CaptionOffset CentredCaption(const std::string& text, double width, double height);

// The name a screen reader gives control: the texts of the labels of def
// that control.namedBy lists, in that order, each without a trailing colon,
// joined by a blank ("工作起始日期及时间 年"); empty when it lists none.
std::string AccessibleName(const WindowDef& def, const ControlDef& control);

// Control id used for child windows and notifications: a stable number
// from the control's position in the definition.
int ControlId(const WindowDef& def, const ControlDef& control);

}  // namespace quillet
