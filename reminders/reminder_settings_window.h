// The reminder settings window (提醒设置, "定时提醒设置"): every reminder of
// timer.dat as one row of the reminder table, edited in place (content and
// remark typed into a floating text box, the other fields chosen in a
// floating drop-down), added, deleted, then saved to the file or dropped.
// The table is the only copy while the window is open; the due check stands
// aside while the window is loaded.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/table_model.h"
#include "forms/form_win.h"

namespace quillet {

class ReminderSettingsWindow : public Form {
 public:
  static constexpr char kCaption[] = "定时提醒设置";
  static constexpr ControlKey kTable{"Tbl"};
  // The floating editors: a text box, and a drop-down whose field shows any
  // text.
  static constexpr ControlKey kTextEditor{"Txt"};
  static constexpr ControlKey kDropDown{"Cmb"};
  static constexpr ControlKey kHeadings{"Label1"};
  static constexpr ControlKey kButtons{"Pic"};
  // The actions of the four buttons, by button index.
  enum ActionIndex : int { kAddAction, kDeleteAction, kSaveAndCloseAction, kCancelAction };

  ReminderSettingsWindow();
  // The window (and its grid, which watches the table) goes while the
  // table still exists.
  ~ReminderSettingsWindow() override { Destroy(); }
  // Loads the window (hidden) with the reminders of the file.
  bool Load() { return LoadForm(); }
  void Action(int index);
  TableModel& Table() { return table_; }
  // Whether the table differs from what was last loaded or saved (an open
  // editor's text written back first).
  bool HasUnsavedChanges();
  // Closes by a way other than its buttons (the title bar, Alt+F4, Esc, the
  // panel's button): with unsaved changes it asks "是否保存对定时提醒的修改？"
  // first; 是 saves and closes (a failed save keeps it open), 否 closes,
  // 取消 keeps it open.
  void CloseAsking();
  // At the program's end, while the window is open with unsaved changes:
  // asks (ask) or saves without asking (the session ends). True when the
  // program may end; 取消 or a failed save (told) keep it open.
  bool CloseForExit(bool ask);

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  void OnCommand(const ControlDef& control, int code) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnUnload() override;
  bool OnEscape() override;

 private:
  // Keys of the floating text box and of the drop-down's text field.
  LRESULT TextEditorKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DropDownKeys(HWND field, UINT msg, WPARAM wParam, LPARAM lParam);

  void OnGridDoubleClick();
  // The editor's place over a cell, client pixels: the cell's corner, its
  // row's height and its column's width plus extraPx.
  RECT EditorBox(int row, int col, int extraPx);
  void OpenTextEditor(int row, int col);
  void OpenDropDown(int row, int col);
  // write: the editor's text goes into its cell; otherwise it is dropped.
  void CloseTextEditor(bool write);
  void CloseDropDown(bool write);
  void CloseEditors() {
    CloseTextEditor(true);
    CloseDropDown(true);
  }
  // Writes the table to the file; a failure is told (file and reason) and
  // gives false.
  bool Save();
  // Fills the table from the reminder file (at load, and to drop the
  // changes when another program changed the file).
  void LoadTable();
  std::string ReminderFile() const;

  TableModel table_;
  bool textOpen_ = false;
  bool dropOpen_ = false;
  bool readFailed_ = false;  // the file could not be read: never written over
  FileVersion loaded_;       // the reminder file as read or last saved
  std::uint64_t savedContent_ = 0;  // TableContentHash as read or last saved
  int editRow_ = 0;  // the cell under the open editor
  int editCol_ = 0;
};

// The entries the panel's navigation calls.
void ShowReminderSettings(Program& program);

}  // namespace quillet
