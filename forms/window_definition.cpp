#include "forms/window_definition.h"

#include <algorithm>
#include <utility>

#include "base/numbers.h"
#include "base/units.h"
#include "base/utf8.h"

namespace quillet {

namespace {

ControlDef Make(ControlKind kind, ControlKey key, double left, double top, double width,
                double height) {
  ControlDef c;
  c.kind = kind;
  c.name = std::string(key.name);
  c.index = key.index;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

}  // namespace

ControlDef ButtonControl(ControlKey key, double left, double top, double width, double height,
                         std::string text) {
  ControlDef c = Make(ControlKind::Gleam, key, left, top, width, height);
  c.text = std::move(text);
  return c;
}

ControlDef Picture(ControlKey key, double left, double top, double width, double height) {
  return Make(ControlKind::Picture, key, left, top, width, height);
}

ControlDef Label(ControlKey key, double left, double top, double width, double height,
                 std::string text, std::string font, double points) {
  ControlDef c = Make(ControlKind::Label, key, left, top, width, height);
  c.text = std::move(text);
  c.font = std::move(font);
  c.fontPoints = points;
  return c;
}

ControlDef TextBox(ControlKey key, double left, double top, double width, double height,
                   std::string font, double points, bool multiLine) {
  ControlDef c = Make(ControlKind::TextBox, key, left, top, width, height);
  c.font = std::move(font);
  c.fontPoints = points;
  c.multiLine = multiLine;
  return c;
}

ControlDef SystemControl(ControlKind kind, ControlKey key, double left, double top, double width,
                         double height, std::string text, std::string font, double points) {
  ControlDef c = Make(kind, key, left, top, width, height);
  c.text = std::move(text);
  c.font = std::move(font);
  c.fontPoints = points;
  return c;
}

ControlDef ScrollBar(ControlKey key, double left, double top, double width, double height) {
  return Make(ControlKind::ScrollBar, key, left, top, width, height);
}

bool Is(const ControlDef& control, ControlKey key) {
  return control.name == key.name && control.index == key.index;
}

bool InGroup(const ControlDef& control, ControlKey group) { return control.name == group.name; }

PixelBox ToPixels(const ControlDef& control, int dpi) {
  const int left = TwipsToPixels(control.left, dpi);
  const int top = TwipsToPixels(control.top, dpi);
  const int right = TwipsToPixels(control.left + control.width, dpi);
  const int bottom = TwipsToPixels(control.top + control.height, dpi);
  return {left, top, right - left, bottom - top};
}

std::vector<std::size_t> ReadingOrder(const std::vector<PixelBox>& boxes) {
  std::vector<std::size_t> byTop(boxes.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) byTop[i] = i;
  std::stable_sort(byTop.begin(), byTop.end(), [&boxes](std::size_t a, std::size_t b) {
    return boxes[a].top < boxes[b].top;
  });
  std::vector<std::size_t> order;
  std::vector<bool> placed(boxes.size(), false);
  for (std::size_t first : byTop) {
    if (placed[first]) continue;
    std::vector<std::size_t> row;
    for (std::size_t i : byTop) {
      if (placed[i]) continue;
      const int shorter = std::min(boxes[first].height, boxes[i].height);
      if (boxes[i].top - boxes[first].top >= shorter / 2 && i != first) continue;
      row.push_back(i);
      placed[i] = true;
    }
    std::stable_sort(row.begin(), row.end(), [&boxes](std::size_t a, std::size_t b) {
      return boxes[a].left < boxes[b].left;
    });
    order.insert(order.end(), row.begin(), row.end());
  }
  return order;
}

const ControlDef* FindControl(const WindowDef& def, ControlKey key) {
  for (const ControlDef& c : def.controls) {
    if (Is(c, key)) return &c;
  }
  return nullptr;
}

CaptionOffset CentredCaption(const std::string& text, double width, double height) {
  constexpr double kWide = 13 * 15.0;    // twips at 96 dpi
  constexpr double kNarrow = 7 * 15.0;
  double textWidth = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    textWidth += NextCodePoint(text, pos) >= 0x2E80 ? kWide : kNarrow;
  }
  const double x = (width - textWidth) / 2;
  const double y = (height - kWide) / 2;
  return {x > 0 ? RoundToInt32(x) : 0, y > 0 ? RoundToInt32(y) : 0};
}

std::string AccessibleName(const WindowDef& def, const ControlDef& control) {
  std::string name;
  for (const ControlKey& key : control.namedBy) {
    const ControlDef* label = FindControl(def, key);
    if (!label) continue;
    std::string_view text = label->text;
    for (const std::string_view colon : {"：", ":"}) {
      if (text.ends_with(colon)) text.remove_suffix(colon.size());
    }
    if (!name.empty()) name += ' ';
    name += text;
  }
  return name;
}

int ControlId(const WindowDef& def, const ControlDef& control) {
  // Ids from 100 up keep clear of IDOK/IDCANCEL and friends.
  return 100 + static_cast<int>(&control - def.controls.data());
}

}  // namespace quillet
