// The record edit window (记录编辑, "　编辑工作记录"): one work record of the
// list window's table shown for viewing, changing or adding. Start and deadline are chosen in two rows of five drop-down lists
// (the composed texts beside them), content and remarks are typed, the
// state is one of five options. Saving writes the record into the list
// window's table, never into the file. While the window is open the list
// window is disabled; it is enabled again however this window closes.
#pragma once

#include <array>
#include <string>

#include "forms/form_win.h"
#include "win32/handles.h"
#include "win32/paint.h"
#include "worklog/record_edit.h"

namespace quillet {

// What the edit window works on: the table of the window that opened it
// (the work-record list), which it disables while it is open.
class RecordBook {
 public:
  virtual TableModel& Table() = 0;
  virtual WorkTableContext Context() const = 0;
  // Makes a row the current one and scrolls it into view.
  virtual void ShowRow(int row) = 0;
  virtual HWND BookWindow() const = 0;
  virtual bool BookOpen() const = 0;

 protected:
  ~RecordBook() = default;
};

class RecordEditWindow : public Form {
 public:
  static constexpr char kCaption[] = "\u3000编辑工作记录";
  // Five lists per date-time (start 0..4, deadline 5..9), and the texts
  // they compose.
  static constexpr ControlKey kDateLists{"Cmb"};
  static constexpr ControlKey kDateTexts{"Txt"};
  static constexpr ControlKey kContentBox{"Txt", 2};
  static constexpr ControlKey kRemarksBox{"Txt", 4};
  static constexpr ControlKey kStates{"Opn"};  // one option per completion state
  static constexpr ControlKey kStateFrame{"Frame"};
  static constexpr ControlKey kActionButton{"Pic", 5};  // captioned with the mode
  static constexpr ControlKey kCancelButton{"Pic", 6};
  static constexpr ControlKey kLabels{"Lbl"};

  RecordEditWindow();
  // Opens the window on the book's table in the mode given (row names the
  // record to view or change). False, and nothing opened, when the book is
  // not open or the mode needs a row the table does not have.
  bool Load(RecordBook& book, RecordEditMode mode, int row);

  // The save action (button 5): checks, writes into the table, closes.
  void SaveRecord();
  // Closes without changing the table (button 6).
  void Cancel();

  // What the window shows, for its owner and tests.
  const std::string& StartText() const { return groups_[0].Text(); }
  const std::string& DeadlineText() const { return groups_[1].Text(); }

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  void OnCommand(const ControlDef& control, int code) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnUnload() override;
  bool OnEscape() override {  // as "取　　消"
    Cancel();
    return true;
  }

 private:
  // Enter and the other typed keys of the lists, boxes and options.
  LRESULT ControlKeys(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id);
  // The frame's whole surface in the frame colour under its edge and caption.
  LRESULT FramePaint(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam);

  void FillLists();
  void ShowGroup(int group);
  // A list of group*5 + list was chosen (clicked or Enter).
  void ApplyList(int index);
  // The caption of the first selected state option, empty if none is.
  std::string SelectedOptionCaption() const;
  void SelectOptionByCaption(const std::string& caption);
  void EnableListWindow();
  void Close();

  RecordBook* book_ = nullptr;
  RecordEditMode mode_ = RecordEditMode::Add;
  int row_ = 0;                          // the record's row, 0 when adding
  std::string openedState_;              // the state text the record had
  std::array<DateListGroup, 2> groups_;  // start, deadline
  win::ColourBrush frameBrush_;          // the frame's and options' background
};

// Opens the edit window of program over the book, in the mode given (the
// list window's view, change and add actions, its double-click outside the
// text columns). Does nothing while the edit window is already open.
void OpenRecordEditor(Program& program, RecordBook& book, RecordEditMode mode, int row);
// Closes the edit window, if open, without taking its input (the list
// window's "保 存 退 出" and its unloading); the list window is enabled
// again.
void CloseRecordEditor();

}  // namespace quillet
