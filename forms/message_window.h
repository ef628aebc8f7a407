// The program's own message dialog (错误提示): every message to the user
// goes through ShowMessage, never through the system's message box.
#pragma once

#include <string>
#include <string_view>

#include "forms/form_win.h"
#include "win32/handles.h"

namespace quillet {

class MessageWindow : public Form {
 public:
  MessageWindow();
  // Text of the label Lbl, and of its light copy Lbl1 (which follows Lbl at
  // the next paint).
  const std::string& Text() const { return text_; }
  const std::string& CopyText() const { return copyText_; }
  void SetText(std::string_view text);
  bool Load() { return LoadForm(); }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;

 private:
  std::string text_;
  std::string copyText_;
  win::Bitmap logo_;
};

// Loads the dialog if needed, replaces its text and shows it; returns at
// once.
void ShowMessage(std::string_view text);

// ShowMessage, then pumps messages until the user has closed the dialog.
void ShowMessageAndWait(std::string_view text);

}  // namespace quillet
