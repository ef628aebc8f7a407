#include "reminders/reminder_settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "base/table_rows.h"
#include "forms/message_window.h"
#include "forms/outside_change_win.h"
#include "forms/skin.h"
#include "forms/text_input_win.h"
#include "reminders/reminder.h"
#include "reminders/reminder_editing.h"
#include "win32/clock.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr Colour kGridLines = 0x808080;
// How much wider than its column each editor is, twips: the drop-down's
// arrow button must not hide the text.
constexpr int kTextEditorExtra = 20;
constexpr int kDropDownExtra = 210;
// Entries the dropped list shows at once; longer lists scroll.
constexpr int kListRows = 12;

constexpr std::array<const char*, 4> kButtonCaptions = {"添 加 记 录", "删 除 记 录",
                                                        "保 存 退 出", "取 消 退 出"};
constexpr std::array<int, 4> kButtonLefts = {360, 2640, 6360, 8640};

std::string UnreadableText(const std::string& path) {
  return "无法读取定时提醒文件 " + path +
         "，表格中没有显示其中的提醒。为保护该文件，本次打开的表格不会保存到它上面。";
}

constexpr char kUnsavedQuestion[] = "是否保存对定时提醒的修改？";

std::string NotSavedText(const std::string& path, const std::string& reason) {
  return "无法保存定时提醒文件 " + path + "：" + reason +
         "。表格中的修改仍然保留，请排除问题后再保存。";
}

constexpr char kKeptReason[] = "打开时未能读取该文件，保存会覆盖其中的提醒";

WindowDef SettingsDefinition() {
  WindowDef def;
  def.caption = ReminderSettingsWindow::kCaption;
  def.width = 10995;
  def.height = 5250;
  // The floating editors come first so that they lie above the table; each
  // is one table row high.
  using W = ReminderSettingsWindow;
  def.controls.push_back(TextBox(W::kTextEditor, 0, 0, 1000, kShownRowHeight, "宋体", 9, false));
  def.controls.push_back(SystemControl(ControlKind::ComboEdit, W::kDropDown, 0, 0, 1000,
                                       kShownRowHeight, {}, "宋体", 9));
  def.controls.push_back(SystemControl(ControlKind::Grid, W::kTable, 210, 720, 10575, 3735));
  def.controls.push_back(
      Label(W::kHeadings[0], 2760, 480, 1455, 375, "开始提醒时间", "宋体", 10.5));
  def.controls.push_back(Label(W::kHeadings[1], 4320, 480, 975, 375, "重复提醒", "宋体", 10.5));
  for (std::size_t i = 0; i < kButtonCaptions.size(); ++i) {
    def.controls.push_back(ButtonControl(W::kButtons[static_cast<int>(i)], kButtonLefts[i], 4560,
                                         2055, 465, kButtonCaptions[i]));
  }
  return def;
}

DateTime PresentMoment() {
  const SYSTEMTIME t = win::LocalNow();
  return MakeDateTime(CivilDate{t.wYear, t.wMonth, t.wDay}, t.wHour, t.wMinute, t.wSecond);
}

}  // namespace

ReminderSettingsWindow::ReminderSettingsWindow() : Form(SettingsDefinition(), FormStyle{}) {}

void ReminderSettingsWindow::OnLoad() {
  textOpen_ = false;
  dropOpen_ = false;
  HWND text = ControlWindow(kTextEditor);
  ::ShowWindow(text, SW_HIDE);
  win::Subclass(text, [this](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    return TextEditorKeys(box, msg, wParam, lParam);
  });
  RefuseUnmappableInput(text);
  HWND list = ControlWindow(kDropDown);
  ::ShowWindow(list, SW_HIDE);
  ::SendMessageW(list, CB_SETMINVISIBLE, kListRows, 0);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (::GetComboBoxInfo(list, &parts)) {
    win::Subclass(parts.hwndItem, [this](HWND field, UINT msg, WPARAM wParam, LPARAM lParam) {
      return DropDownKeys(field, msg, wParam, lParam);
    });
  }

  GridView* grid = Grid(kTable);
  grid->SetLineColour(kGridLines);
  grid->SetEvents(GridEvents{[this] { OnGridDoubleClick(); }, {}, [this] { CloseEditors(); }});
  LoadTable();
}

void ReminderSettingsWindow::LoadTable() {
  GridView* grid = Grid(kTable);
  grid->SetModel(nullptr);  // the view catches up once, after the load
  SetUpReminderTable(table_);
  const std::string path = ReminderFile();
  const ReminderLoadOutcome load = LoadReminderTable(table_, path);
  table_.ResetCursor();
  grid->SetModel(&table_);
  loaded_ = load.version;
  savedContent_ = TableContentHash(table_, Reminder::kFieldCount);
  readFailed_ = load.status == FileStatus::Unreadable || load.status == FileStatus::TooLarge;
  if (readFailed_) ShowMessage(program(), UnreadableText(path));
}

void ReminderSettingsWindow::OnUnload() {
  // The editors lose the focus as they go: nothing is left to write.
  textOpen_ = false;
  dropOpen_ = false;
  if (GridView* grid = Grid(kTable)) grid->SetModel(nullptr);
}

void ReminderSettingsWindow::Paint(const PaintTarget& target) {
  // The title strip shows the caption, set in by four spaces.
  PaintTitleBar(target, "    " + std::string(kCaption), CurrentPalette());
  for (const ControlDef& c : Definition().controls) {
    if (c.kind == ControlKind::Label) PaintLabel(target, c, DT_LEFT | DT_TOP | DT_NOPREFIX);
  }
}

void ReminderSettingsWindow::OnClick(const ControlDef& control) {
  if (InGroup(control, kButtons)) Action(control.index);
}

void ReminderSettingsWindow::OnCommand(const ControlDef& control, int code) {
  if (InGroup(control, kDropDown) && code == CBN_KILLFOCUS) CloseDropDown(true);
}

bool ReminderSettingsWindow::OnFormMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
  // The editors sit over cells placed for the old DPI.
  if (msg == WM_DPICHANGED) CloseEditors();
  if (msg != WM_CLOSE) return false;
  CloseAsking();  // the title bar's close, Alt+F4
  *result = 0;
  return true;
}

bool ReminderSettingsWindow::HasUnsavedChanges() {
  CloseEditors();
  return TableContentHash(table_, Reminder::kFieldCount) != savedContent_;
}

bool ReminderSettingsWindow::OnEscape() {
  if (textOpen_ || dropOpen_) return false;  // an open editor drops its text
  CloseAsking();
  return true;
}

void ReminderSettingsWindow::CloseAsking() {
  if (!IsLoaded()) return;
  const SaveAnswer answer =
      HasUnsavedChanges() ? AskToSave(program(), kUnsavedQuestion, hwnd()) : SaveAnswer::No;
  if (answer == SaveAnswer::Yes) Action(kSaveAndCloseAction);  // a failed save keeps it open
  if (answer == SaveAnswer::No) Unload();
}

bool ReminderSettingsWindow::CloseForExit(bool ask) {
  if (!IsLoaded() || !HasUnsavedChanges()) return true;
  const SaveAnswer answer = ask ? AskToSave(program(), kUnsavedQuestion, hwnd()) : SaveAnswer::Yes;
  if (answer != SaveAnswer::Yes) return answer == SaveAnswer::No;
  if (readFailed_) return true;  // the file holds what this table never saw
  // No time to ask about another program's change: its version is kept.
  const std::string path = ReminderFile();
  std::string error;
  if (KeepOtherVersion(path, loaded_, &error)) {
    const SaveOutcome save = SaveReminderTable(table_, path);
    if (save.ok) return true;
    error = save.error;
  }
  ShowMessageAndWait(program(), NotSavedText(path, error));
  return false;
}

void ReminderSettingsWindow::Action(int index) {
  if (!IsLoaded()) return;
  CloseEditors();
  switch (index) {
    case kAddAction: {
      const int row = AddReminderRow(table_, PresentMoment());
      Grid(kTable)->ScrollIntoView(row, 1);
      break;
    }
    case kDeleteAction: {
      // From the current row to the selection's other end, either way
      // round; nothing when either lies in the heading row.
      std::int32_t from = table_.Row();
      std::int32_t to = table_.RowSel();
      DeleteTableRows(table_, from, to);
      break;
    }
    case kSaveAndCloseAction:
      // A failed save keeps the window open with every change.
      if (Save()) Unload();
      break;
    case kCancelAction:
      Unload();
      break;
    default:
      break;
  }
}

bool ReminderSettingsWindow::Save() {
  const std::string path = ReminderFile();
  if (readFailed_) {
    ShowMessage(program(), NotSavedText(path, kKeptReason));
    return false;
  }
  if (!ClearToSave(program(), path, loaded_, hwnd(), [this] { LoadTable(); })) return false;
  const SaveOutcome save = SaveReminderTable(table_, path);
  if (!save.ok) ShowMessage(program(), NotSavedText(path, save.error));
  if (save.ok) {
    loaded_ = save.written;
    savedContent_ = TableContentHash(table_, Reminder::kFieldCount);
  }
  return save.ok;
}

void ReminderSettingsWindow::OnGridDoubleClick() {
  const int row = table_.Row();
  const int col = table_.Col();
  if (row < 1 || !quillet::IsShown(table_, row)) return;
  CloseEditors();
  switch (EditorOfColumn(col)) {
    case CellEditor::Text: OpenTextEditor(row, col); break;
    case CellEditor::List: OpenDropDown(row, col); break;
    case CellEditor::None: break;
  }
}

RECT ReminderSettingsWindow::EditorBox(int row, int col, int extraPx) {
  GridView* grid = Grid(kTable);
  grid->ScrollIntoView(row, col);
  RECT cell = grid->CellBox(row, col);
  ::MapWindowPoints(grid->hwnd(), hwnd(), reinterpret_cast<POINT*>(&cell), 2);
  return RECT{cell.left, cell.top, cell.left + Px(table_.ColWidth(col)) + extraPx,
              cell.top + Px(table_.RowHeight(row))};
}

void ReminderSettingsWindow::OpenTextEditor(int row, int col) {
  HWND box = ControlWindow(kTextEditor);
  const RECT at = EditorBox(row, col, Px(kTextEditorExtra));
  editRow_ = row;
  editCol_ = col;
  ::SetWindowTextW(box, win::Widen(table_.TextMatrix(row, col)).c_str());
  ::SetWindowPos(box, HWND_TOP, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_SHOWWINDOW);
  textOpen_ = true;
  ::SetFocus(box);
  // All selected, the caret at the start: a long text shows its beginning.
  ::SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(::GetWindowTextLengthW(box)), 0);
}

void ReminderSettingsWindow::OpenDropDown(int row, int col) {
  HWND box = ControlWindow(kDropDown);
  // The text field is at least as wide as the column: the arrow button and
  // the borders come on top (at 96 dpi 210 twips alone would cut "28").
  int extra = Px(kDropDownExtra);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  RECT outer{};
  if (::GetComboBoxInfo(box, &parts) && ::GetWindowRect(box, &outer)) {
    const int field = parts.rcItem.right - parts.rcItem.left;
    extra = std::max<int>(extra, outer.right - outer.left - field);
  }
  const RECT at = EditorBox(row, col, extra);
  editRow_ = row;
  editCol_ = col;
  ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : ReminderChoices(table_, row, col, DateOf(PresentMoment()).year)) {
    ::SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(entry).c_str()));
  }
  // The cell's own text is shown even when the list does not offer it (a
  // year outside the list's years, a day beyond the month's end).
  const std::wstring text = win::Widen(table_.TextMatrix(row, col));
  const LRESULT entry =
      ::SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  if (entry == CB_ERR) ::SetWindowTextW(box, text.c_str());
  // The combo box's window reaches down over its list.
  ::SetWindowPos(box, HWND_TOP, at.left, at.top, at.right - at.left,
                 (at.bottom - at.top) * kListRows,
                 SWP_SHOWWINDOW);
  dropOpen_ = true;
  ::SetFocus(box);
}

void ReminderSettingsWindow::CloseTextEditor(bool write) {
  if (!textOpen_) return;
  textOpen_ = false;  // before anything that moves the focus
  HWND box = ControlWindow(kTextEditor);
  if (write) WriteReminderCell(table_, editRow_, editCol_, WindowText(box));
  if (::GetFocus() == box) ::SetFocus(Grid(kTable)->hwnd());
  ::ShowWindow(box, SW_HIDE);
}

void ReminderSettingsWindow::CloseDropDown(bool write) {
  if (!dropOpen_) return;
  dropOpen_ = false;
  HWND box = ControlWindow(kDropDown);
  ::SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  if (write) WriteReminderCell(table_, editRow_, editCol_, WindowText(box));
  HWND focus = ::GetFocus();
  if (focus == box || ::IsChild(box, focus)) ::SetFocus(Grid(kTable)->hwnd());
  ::ShowWindow(box, SW_HIDE);
}

LRESULT ReminderSettingsWindow::TextEditorKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CHAR:
      // Enter keeps the text, Esc leaves the cell as it was.
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        CloseTextEditor(wParam == VK_RETURN);
        return 0;
      }
      break;
    case WM_KILLFOCUS:
      CloseTextEditor(true);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(box, msg, wParam, lParam);
}

LRESULT ReminderSettingsWindow::DropDownKeys(HWND field, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto dropped = [field] {
    return ::SendMessageW(::GetParent(field), CB_GETDROPPEDSTATE, 0, 0) != 0;
  };
  switch (msg) {
    case WM_KEYDOWN:
      if (wParam == VK_DELETE) return 0;  // deleting is typing too
      // With the list closed, Enter keeps the choice and Esc drops it; with
      // the list open they close the list, as the combo box does.
      if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && !dropped()) {
        CloseDropDown(wParam == VK_RETURN);
        return 0;
      }
      break;
    case WM_CHAR:
      if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && dropped()) break;
      return 0;  // typed text is discarded: new text comes from the list
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
      return 0;
    default:
      break;
  }
  return ::DefSubclassProc(field, msg, wParam, lParam);
}

std::string ReminderSettingsWindow::ReminderFile() const {
  return ReminderPath(program().state.Parameters[kParamDataFolder]);
}

void ShowReminderSettings(Program& program) {
  ReminderSettingsWindow& window = TheForm<ReminderSettingsWindow>();
  window.Attach(program);
  if (!window.Load()) return;
  window.Show();
  ::SetFocus(window.Grid(ReminderSettingsWindow::kTable)->hwnd());
}

}  // namespace quillet
