// The work-record list window ("　我的工作记录表"): the work table in a
// grid, the five state filters, nine buttons (view, delete, change, add,
// two sorts, save, save and close, close without saving), a hint and the
// floating cell editor for content and remarks. It opens in today mode or
// all-records mode and is the only holder of the records while it is open;
// the record edit window reads and writes its table.
#pragma once

#include <cstdint>
#include <string>

#include "base/table_model.h"
#include "forms/form_win.h"
#include "worklog/record_edit_window.h"
#include "worklog/work_table.h"

namespace quillet {

class WorkListWindow : public Form, public RecordBook {
 public:
  static constexpr char kCaption[] = "\u3000我的工作记录表";
  static constexpr ControlKey kTable{"Tbl"};
  static constexpr ControlKey kCellEditor{"Txt"};  // over content and remark cells
  static constexpr ControlKey kFilters{"Chk"};      // one per completion state
  static constexpr ControlKey kFilterLabels{"Label2"};
  static constexpr ControlKey kButtons{"Pic"};      // by ActionIndex
  static constexpr ControlKey kHint{"Label1"};
  // The actions of the nine buttons, by button index.
  enum ActionIndex : int {
    kViewAction,
    kDeleteAction,
    kChangeAction,
    kAddAction,
    kSortByStartAction,
    kSortByDeadlineAction,
    kSaveAction,
    kSaveAndCloseAction,
    kCloseAction,
  };

  WorkListWindow();
  // The window (and its grid, which watches the table) goes while the
  // table still exists.
  ~WorkListWindow() override { Destroy(); }
  // Loads the window (hidden) in today or all-records mode and fills the
  // table from the record file; an open window keeps its mode.
  bool Load(bool todayOnly);
  // Button action 0..8 (view, delete, change, add, sort by start, sort by
  // deadline, save, save and close, close without saving).
  void Action(int index);

  // The table the edit window reads and writes.
  TableModel& Table() override { return table_; }
  // The record file, the mode, today and the ticked filters, as the table
  // operations want them.
  WorkTableContext Context() const override;
  // Makes a row the current one and scrolls it into view.
  void ShowRow(int row) override;
  HWND BookWindow() const override { return hwnd(); }
  bool BookOpen() const override { return IsLoaded(); }
  // Writes the table to the record file; a failure is told to the user
  // (file and reason) and gives false.
  bool Save();
  // Whether the table differs from what was last loaded or saved (the cell
  // editor's text written back first).
  bool HasUnsavedChanges();
  // Closes by a way other than its buttons (the title bar, Alt+F4, Esc, the
  // panel's button): with unsaved changes it asks "是否保存对工作记录的修改？"
  // first; 是 saves and closes (a failed save keeps it open), 否 closes,
  // 取消 keeps it open.
  void CloseAsking();
  // At the program's end, while the window is open with unsaved changes:
  // asks as CloseAsking does (ask), or saves without asking (the session
  // ends: no time to ask). True when the program may end; 取消 or a save
  // that failed (told to the user) keep the window and the program.
  bool CloseForExit(bool ask);
  // Saves the table at the program's end without asking about another
  // program's change (its version is kept beside the file); a failure is
  // told to the user, who closes the message first.
  bool SaveAtExit();

 protected:
  void OnLoad() override;
  void Paint(const PaintTarget& target) override;
  void OnClick(const ControlDef& control) override;
  void OnCommand(const ControlDef& control, int code) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnUnload() override;
  bool OnEscape() override;

 private:
  // The floating editor's subclass: Enter writes the cell back and saves and
  // closes the list, Esc drops the change, leaving the editor writes it back.
  LRESULT EditorKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnGridDoubleClick();
  void OnGridKey(wchar_t key);
  // Fills the table from the record file (at load, and to drop the changes
  // when another program changed the file).
  void LoadTable();
  void OpenCellEditor();
  void CloseCellEditor(bool write);
  void FilterClicked(int index);
  bool ChosenRowShown() const;

  TableModel table_;
  WorkTableContext context_;
  bool todayOnly_ = false;
  bool editorOpen_ = false;
  int editRow_ = 0;  // the cell under the floating editor
  int editCol_ = 0;
  bool readFailed_ = false;  // the file could not be read: never written over
  FileVersion loaded_;       // the record file as read or last saved
  std::uint64_t savedContent_ = 0;  // TableContentHash as read or last saved
};

// The entries the panel's navigation calls.
void ShowWorkList(Program& program, bool todayOnly);

}  // namespace quillet
