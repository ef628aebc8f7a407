// Hosting of the gradient push buttons ("Lantoc.Gleam" controls) in the
// program's windows. A window describes its buttons declaratively (position
// in twips and stored properties); the host creates each control by class
// name, loads its stored properties through a property bag, activates it in
// place as a child window and forwards its Click and KeyPress events.
//
// The control is found through the program's embedded manifest (nothing
// needs to be registered) or through a machine-wide registration. The
// calling thread must be a single-threaded apartment (OleInitialize at
// start-up, OleUninitialize after the last window is gone).
//
// Usage, in a window's WM_CREATE:
//   buttons_.Create(hwnd(), kDefinition, WindowDpi(hwnd()));
//   buttons_.At(0).SetForeColor(foreColour);
//   buttons_.At(0).OnClick([this] { ... });
// and in WM_DESTROY: buttons_.Release();  (the destructor does it as well,
// but a control must go before its parent window does).
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "base/colour.h"

namespace quillet::win {

// A stored property value: a boolean, a 32-bit integer (colours and twips
// included) or a UTF-8 text.
using StoredValue = std::variant<bool, std::int32_t, std::string>;

// One control of a window definition.
struct ControlDefinition {
  std::string name;                          // e.g. "Cmd(3)", for Find()
  std::string progId = "Lantoc.Gleam";       // class the control is created by
  int left = 0, top = 0, width = 1000, height = 300;  // twips, parent client area
  // Stored properties by key ("Text", "PosX", ...); keys not listed take the
  // control's defaults.
  std::vector<std::pair<std::string, StoredValue>> properties;
};

// The declarative description of a window's controls.
struct WindowDefinition {
  std::vector<ControlDefinition> controls;
};

class ControlSite;  // the COM site objects, private to the host

// One hosted button. Not copyable or movable: the site points back at it.
class GleamButton {
 public:
  GleamButton();
  ~GleamButton();  // Release()
  GleamButton(const GleamButton&) = delete;
  GleamButton& operator=(const GleamButton&) = delete;

  // Creates the control by definition.progId as a child of parent at the
  // definition's position (twips converted at dpi), loads the stored
  // properties and activates it in place. False (and nothing left behind)
  // when the class cannot be created or activated.
  bool Create(HWND parent, const ControlDefinition& definition, int dpi);
  // Deactivates, closes and releases the control; safe to call twice.
  void Release();

  bool IsCreated() const;
  const std::string& name() const { return name_; }
  HWND hwnd() const;  // the control's own window, null before Create

  // Property puts by dispatch identifier (the control repaints on each).
  bool SetForeColor(Colour colour);
  bool SetTextColor(Colour colour);
  bool SetText(std::string_view utf8);
  bool SetEnabled(bool enabled);
  bool SetPosition(int posX, int posY);  // caption offset, twips
  // Any property get by dispatch identifier, into a VARIANT the caller clears.
  bool GetProperty(DISPID id, VARIANT* value) const;
  bool PutProperty(DISPID id, const VARIANT& value);

  // Moves and sizes the control in its parent (twips at dpi).
  void Move(int left, int top, int width, int height, int dpi);

  // Event handlers; called on the window's thread. A handler may release
  // the button or its whole window. KeyPress passes the UTF-16 code unit
  // of the typed character.
  void OnClick(std::function<void()> handler) { onClick_ = std::move(handler); }
  // KeyAscii is passed by reference: set it to 0 to cancel the key.
  void OnKeyPress(std::function<void(short& keyAscii)> handler) { onKeyPress_ = std::move(handler); }
  void OnPaint(std::function<void()> handler) { onPaint_ = std::move(handler); }

  // The control's IDispatch (borrowed; null before Create), for tests.
  IDispatch* Dispatch() const;

 private:
  friend class ControlSite;
  void Fire(DISPID id, DISPPARAMS* params);

  std::string name_;
  ControlSite* site_ = nullptr;  // owned: one reference, released in Release()
  std::function<void()> onClick_;
  std::function<void(short&)> onKeyPress_;
  std::function<void()> onPaint_;
};

// All the buttons of one window, created from its definition.
class ControlHost {
 public:
  ControlHost() = default;
  ~ControlHost() { Release(); }
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;

  // Creates every control of the definition in order. Returns false if any
  // failed; those that succeeded stay usable.
  bool Create(HWND parent, const WindowDefinition& definition, int dpi);
  void Release();

  std::size_t size() const { return buttons_.size(); }
  GleamButton& At(std::size_t index) { return *buttons_.at(index); }
  GleamButton* Find(std::string_view name);

 private:
  std::vector<std::unique_ptr<GleamButton>> buttons_;
};

}  // namespace quillet::win
