// The program's own message dialog (错误提示): every message to the user
// goes through ShowMessage, never through the system's message box.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/form_win.h"
#include "win32/handles.h"

namespace quillet {

// How the dialog shows a text at a DPI. The label keeps its designed size
// and font while the text fits; a longer text makes the label, and the
// dialog with it, taller (the button moves down as much), up to twice the
// label's designed height, and beyond that the font steps down.
struct MessageLayout {
  double points = 0;       // the label's font size
  double extraHeight = 0;  // twips added to the label and to the dialog
  std::wstring lines;      // the text, '\n' where a line ends
};
MessageLayout LayOutMessage(std::string_view text, int dpi);

// text with a '\n' wherever a line drawn with the font selected into dc
// must end to stay within width pixels: between any two Chinese characters
// (none before a closing or after an opening mark), at a space, after a
// path's separator, and inside a run with no such place when it is longer
// than a line. The space where a line breaks is left out.
std::wstring BreakLines(HDC dc, std::wstring_view text, int width);

class MessageWindow : public Form {
 public:
  static constexpr ControlKey kText{"Lbl"};
  static constexpr ControlKey kTextShadow{"Lbl1"};  // the light copy behind the text
  // The answers' buttons, left to right; a message has one, "确　　定".
  static constexpr ControlKey kAnswers{"Gleam1"};
  static constexpr ControlKey kOkButton{"Gleam1", 0};
  static constexpr ControlKey kLogo{"Logo"};

  MessageWindow();
  // Text of the label Lbl, and of its light copy Lbl1 (which follows Lbl at
  // the next paint).
  const std::string& Text() const { return text_; }
  const std::string& CopyText() const { return copyText_; }
  void SetText(std::string_view text);
  // The buttons' captions; a loaded dialog is unloaded first, as its
  // buttons are made when it loads.
  void SetAnswers(std::vector<std::string> answers);
  const std::vector<std::string>& Answers() const { return answers_; }
  // The button last pressed (its index in the answers), -1 until one is.
  int Answer() const { return answer_; }
  bool Load() {
    answer_ = -1;
    return LoadForm();
  }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OnEscape() override;

 private:
  void ShapeFor(const MessageLayout& layout);

  std::string text_;
  std::string copyText_;
  std::vector<std::string> answers_;
  int answer_ = -1;
  win::Bitmap logo_;
};

// Loads the dialog if needed, replaces its text and shows it; returns at
// once.
void ShowMessage(Program& program, std::string_view text);

// ShowMessage, then pumps messages until the user has closed the dialog.
void ShowMessageAndWait(Program& program, std::string_view text);

// Asks a question with the answers' buttons (replacing any message shown)
// and pumps messages until the user has answered; owner, when given, takes
// no input meanwhile. The index of the answer, or -1 when the dialog closed
// by another way.
int AskAndWait(Program& program, std::string_view text, std::vector<std::string> answers,
               HWND owner = nullptr);

// Whether to save a window's unsaved changes before it closes: question
// ("是否保存对工作记录的修改？") with 是 (Enter), 否 and 取消; the dialog closed
// any other way (Esc) is 取消.
enum class SaveAnswer { Yes, No, Cancel };
SaveAnswer AskToSave(Program& program, std::string_view question, HWND owner);

}  // namespace quillet
