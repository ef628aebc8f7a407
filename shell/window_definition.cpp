#include "shell/window_definition.h"

#include <utility>

#include "shell/units.h"

namespace quillet {

namespace {

ControlDef Make(ControlKind kind, std::string name, int index, double left, double top,
                double width, double height) {
  ControlDef c;
  c.kind = kind;
  c.name = std::move(name);
  c.index = index;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

}  // namespace

ControlDef GleamButton(std::string name, int index, double left, double top, double width,
                       double height, std::string text) {
  ControlDef c = Make(ControlKind::Gleam, std::move(name), index, left, top, width, height);
  c.text = std::move(text);
  return c;
}

ControlDef Picture(std::string name, int index, double left, double top, double width,
                   double height) {
  return Make(ControlKind::Picture, std::move(name), index, left, top, width, height);
}

ControlDef Label(std::string name, double left, double top, double width, double height,
                 std::string text, std::string font, double points) {
  ControlDef c = Make(ControlKind::Label, std::move(name), 0, left, top, width, height);
  c.text = std::move(text);
  c.font = std::move(font);
  c.fontPoints = points;
  return c;
}

ControlDef TextBox(std::string name, double left, double top, double width, double height,
                   std::string font, double points, bool multiLine) {
  ControlDef c = Make(ControlKind::TextBox, std::move(name), 0, left, top, width, height);
  c.font = std::move(font);
  c.fontPoints = points;
  c.multiLine = multiLine;
  return c;
}

PixelBox ToPixels(const ControlDef& control, int dpi) {
  const int left = TwipsToPixels(control.left, dpi);
  const int top = TwipsToPixels(control.top, dpi);
  const int right = TwipsToPixels(control.left + control.width, dpi);
  const int bottom = TwipsToPixels(control.top + control.height, dpi);
  return {left, top, right - left, bottom - top};
}

const ControlDef* FindControl(const WindowDef& def, const std::string& name, int index) {
  for (const ControlDef& c : def.controls) {
    if (c.name == name && c.index == index) return &c;
  }
  return nullptr;
}

int ControlId(const WindowDef& def, const ControlDef& control) {
  // Ids from 100 up keep clear of IDOK/IDCANCEL and friends.
  return 100 + static_cast<int>(&control - def.controls.data());
}

}  // namespace quillet
