#include "worklog/work_list_window.h"

#include <commctrl.h>

#include <array>
#include <cstdint>

#include "base/table_rows.h"
#include "forms/message_window.h"
#include "forms/outside_change_win.h"
#include "forms/skin.h"
#include "forms/text_input_win.h"
#include "win32/clock.h"
#include "win32/paint.h"
#include "win32/subclass.h"
#include "win32/text.h"
#include "worklog/record_edit.h"
#include "worklog/record_edit_window.h"
#include "worklog/work_list_text.h"

namespace quillet {

namespace {

constexpr int kContentCol = 3;
constexpr int kRemarksCol = 5;
constexpr char kUnsavedQuestion[] = "是否保存对工作记录的修改？";
constexpr Colour kWorkGridLines = 0xC0C0C0;

constexpr std::array<const char*, kCompletionStateCount> kFilterCaptions = {
    "显示未完成记录", "显示已完成记录", "显示已取消记录", "显示已延期记录", "显示完成部分记录"};

struct ButtonRow {
  int top;
  const char* caption;
};
constexpr std::array<ButtonRow, 9> kButtonRows = {{
    {1320, "\u3000\u3000查 看 记 录"},
    {1700, "\u3000\u3000删 除 记 录"},
    {2080, "\u3000\u3000修 改 记 录"},
    {2480, "\u3000\u3000添 加 记 录"},
    {3000, "起始时间排序"},
    {3390, "截止时间排序"},
    {4200, "\u3000\u3000保 存 表 格"},
    {4600, "\u3000\u3000保 存 退 出"},
    {5010, "\u3000\u3000取 消 退 出"},
}};

WindowDef ListDefinition() {
  WindowDef def;
  def.caption = WorkListWindow::kCaption;
  def.width = 12315;
  def.height = 5820;
  // The floating editor comes first so that it lies above the table.
  using W = WorkListWindow;
  def.controls.push_back(TextBox(W::kCellEditor, 0, 0, 1000, 250, "宋体", 9, false));
  def.controls.push_back(SystemControl(ControlKind::Grid, W::kTable, 120, 120, 10305, 5295));
  for (int i = 0; i < kCompletionStateCount; ++i) {
    def.controls.push_back(
        SystemControl(ControlKind::CheckBox, W::kFilters[i], 10560, 120 + 240 * i, 200, 200));
    def.controls.back().namedBy = {W::kFilterLabels[i]};  // the box has no caption of its own
    def.controls.push_back(Label(W::kFilterLabels[i], 10800, 120 + 240 * i, 1455, 255,
                                 kFilterCaptions[static_cast<std::size_t>(i)], "宋体", 9));
  }
  for (std::size_t i = 0; i < kButtonRows.size(); ++i) {
    def.controls.push_back(ButtonControl(W::kButtons[static_cast<int>(i)], 10560,
                                         kButtonRows[i].top, 1695, 375, kButtonRows[i].caption));
  }
  def.controls.push_back(Label(W::kHint, 120, 5520, 10335, 495,
                               "Tamber提示：鼠标左键双击可编辑工作表内容", "宋体", 9));
  return def;
}

CivilDate Today() {
  const SYSTEMTIME now = win::LocalNow();
  return CivilDate{now.wYear, now.wMonth, now.wDay};
}

StatePalette PaletteOf(const ParameterItems& items) {
  StatePalette palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    palette[i] = ColourFromText(items[static_cast<std::size_t>(kStateColourParameter[i])]);
  }
  return palette;
}

}  // namespace

WorkListWindow::WorkListWindow()
    : Form(ListDefinition(), FormStyle{.framed = true, .sizable = false}) {}

bool WorkListWindow::Load(bool todayOnly) {
  if (!IsLoaded()) todayOnly_ = todayOnly;
  return LoadForm();
}

WorkTableContext WorkListWindow::Context() const {
  WorkTableContext context;
  const ParameterItems& items = program().state.Parameters;
  context.filePath = WorkRecordPath(items[kParamDataFolder]);
  context.todayOnly = todayOnly_;
  context.today = Today();
  context.palette = PaletteOf(items);
  for (int i = 0; i < kCompletionStateCount; ++i) {
    HWND box = ControlWindow(kFilters[i]);
    context.filters[static_cast<std::size_t>(i)] =
        box ? ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED
            : kDefaultStateFilters[static_cast<std::size_t>(i)];
  }
  return context;
}

void WorkListWindow::OnLoad() {
  for (int i = 0; i < kCompletionStateCount; ++i) {
    const bool ticked = kDefaultStateFilters[static_cast<std::size_t>(i)];
    ::SendMessageW(ControlWindow(kFilters[i]), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  HWND editor = ControlWindow(kCellEditor);
  ::ShowWindow(editor, SW_HIDE);
  win::Subclass(editor, [this](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    return EditorKeys(box, msg, wParam, lParam);
  });
  RefuseUnmappableInput(editor);

  GridView* grid = Grid(kTable);
  grid->SetLineColour(kWorkGridLines);
  grid->SetEvents(GridEvents{[this] { OnGridDoubleClick(); }, [this](wchar_t k) { OnGridKey(k); },
                             [this] { CloseCellEditor(true); }});
  editorOpen_ = false;
  LoadTable();
}

void WorkListWindow::LoadTable() {
  GridView* grid = Grid(kTable);
  context_ = Context();
  grid->SetModel(nullptr);  // the view catches up once, after the load
  const WorkLoadOutcome load = SetUpWorkTable(table_, context_);
  table_.ResetCursor();
  grid->SetModel(&table_);
  loaded_ = load.version;
  savedContent_ = TableContentHash(table_, WorkRecord::kFieldCount);
  readFailed_ = load.status == FileStatus::Unreadable || load.status == FileStatus::TooLarge;
  if (readFailed_) ShowMessage(program(), RecordFileUnreadableText(context_.filePath));
}

LRESULT WorkListWindow::EditorKeys(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) return DLGC_WANTALLKEYS | ::DefSubclassProc(box, msg, wParam, lParam);
  if (msg == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    CloseCellEditor(wParam == VK_RETURN);
    if (wParam == VK_RETURN) Action(kSaveAndCloseAction);
    return 0;
  }
  if (msg == WM_KILLFOCUS) CloseCellEditor(true);
  return ::DefSubclassProc(box, msg, wParam, lParam);
}

void WorkListWindow::OnUnload() {
  if (GridView* grid = Grid(kTable)) grid->SetModel(nullptr);
  CloseRecordEditor();
}

void WorkListWindow::Paint(const PaintTarget& target) {
  PaintBackground(target, CurrentPalette());
  for (const ControlDef& c : Definition().controls) {
    if (c.kind == ControlKind::Label) PaintLabel(target, c, DT_LEFT | DT_TOP | DT_NOPREFIX);
  }
}

void WorkListWindow::OnClick(const ControlDef& control) {
  if (InGroup(control, kButtons)) Action(control.index);
}

void WorkListWindow::OnCommand(const ControlDef& control, int code) {
  if (InGroup(control, kFilters) && code == BN_CLICKED) FilterClicked(control.index);
}

bool WorkListWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg == WM_CLOSE) {  // the title bar's close, Alt+F4
    CloseAsking();
    *result = 0;
    return true;
  }
  if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
    Action(kSaveAndCloseAction);
    *result = 0;
    return true;
  }
  return false;
}

bool WorkListWindow::ChosenRowShown() const {
  return table_.Row() >= 1 && table_.RowHeight(table_.Row()) > 0;
}

void WorkListWindow::Action(int index) {
  if (!IsLoaded()) return;
  CloseCellEditor(true);
  switch (index) {
    case kViewAction:
    case kChangeAction:
      if (!ChosenRowShown()) {
        ShowMessage(program(), "您没有选择要查看的记录，请选择表格内容！");
        return;
      }
      OpenRecordEditor(program(), *this, index == kViewAction ? RecordEditMode::View : RecordEditMode::Change,
                       table_.Row());
      break;
    case kDeleteAction: {
      if (!ChosenRowShown()) {
        ShowMessage(program(), "您没有选择要删除的记录，请选择要删除的记录内容！");
        return;
      }
      std::int32_t from = table_.RowSel();
      std::int32_t to = table_.Row();
      DeleteTableRows(table_, from, to, Context().palette);
      break;
    }
    case kAddAction:
      OpenRecordEditor(program(), *this, RecordEditMode::Add, 0);
      break;
    case kSortByStartAction:
    case kSortByDeadlineAction:
      SortTableByDate(table_, index == kSortByStartAction ? 1 : 2, true);
      break;
    case kSaveAction:
      Save();
      break;
    case kSaveAndCloseAction:
      CloseRecordEditor();
      // A failed save keeps the window open with every change.
      if (Save()) Unload();
      break;
    case kCloseAction:
      Unload();
      break;
    default:
      break;
  }
}

bool WorkListWindow::Save() {
  const WorkTableContext context = Context();
  if (readFailed_) {
    // The file on disk still holds records this table never saw.
    ShowMessage(program(), RecordFileNotSavedText(context.filePath, RecordFileKeptReason()));
    return false;
  }
  if (!ClearToSave(program(), context.filePath, loaded_, hwnd(), [this] { LoadTable(); })) {
    return false;
  }
  const SaveOutcome save = SaveWorkRecords(table_, context);
  if (!save.ok) {
    ShowMessage(program(), RecordFileNotSavedText(context.filePath, save.error));
    return false;
  }
  loaded_ = save.written;
  savedContent_ = TableContentHash(table_, WorkRecord::kFieldCount);
  return true;
}

bool WorkListWindow::HasUnsavedChanges() {
  CloseCellEditor(true);
  return TableContentHash(table_, WorkRecord::kFieldCount) != savedContent_;
}

bool WorkListWindow::OnEscape() {
  if (editorOpen_) return false;  // the cell editor drops its text
  CloseAsking();
  return true;
}

void WorkListWindow::CloseAsking() {
  if (!IsLoaded()) return;
  const SaveAnswer answer =
      HasUnsavedChanges() ? AskToSave(program(), kUnsavedQuestion, hwnd()) : SaveAnswer::No;
  if (answer == SaveAnswer::Yes) Action(kSaveAndCloseAction);  // a failed save keeps it open
  if (answer == SaveAnswer::No) Unload();
}

bool WorkListWindow::CloseForExit(bool ask) {
  if (!IsLoaded() || !HasUnsavedChanges()) return true;
  const SaveAnswer answer = ask ? AskToSave(program(), kUnsavedQuestion, hwnd()) : SaveAnswer::Yes;
  if (answer != SaveAnswer::Yes) return answer == SaveAnswer::No;
  return SaveAtExit();
}

bool WorkListWindow::SaveAtExit() {
  if (!IsLoaded()) return true;
  CloseCellEditor(true);
  const WorkTableContext context = Context();
  if (readFailed_) return true;
  // No time to ask: another program's version is kept beside the file.
  std::string error;
  if (!KeepOtherVersion(context.filePath, loaded_, &error)) {
    ShowMessageAndWait(program(), RecordFileNotSavedText(context.filePath, error));
    return false;
  }
  const SaveOutcome save = SaveWorkRecords(table_, context);
  if (!save.ok) ShowMessageAndWait(program(), RecordFileNotSavedText(context.filePath, save.error));
  if (save.ok) {
    loaded_ = save.written;
    savedContent_ = TableContentHash(table_, WorkRecord::kFieldCount);
  }
  return save.ok;
}

void WorkListWindow::ShowRow(int row) {
  if (row < 1 || row >= table_.Rows()) return;
  table_.SetRow(row);
  table_.SetRowSel(row);
  if (table_.Col() < 1) table_.SetCol(1);
  if (GridView* grid = Grid(kTable)) grid->ScrollIntoView(row, table_.Col());
}

void WorkListWindow::FilterClicked(int index) {
  CloseCellEditor(true);
  const bool ticked =
      ::SendMessageW(ControlWindow(kFilters[index]), BM_GETCHECK, 0, 0) == BST_CHECKED;
  FilterRowsByState(table_, StateName(static_cast<std::int16_t>(index)), ticked, Context());
}

void WorkListWindow::OnGridDoubleClick() {
  if (!ChosenRowShown()) return;
  if (table_.Col() == kContentCol || table_.Col() == kRemarksCol) {
    OpenCellEditor();
  } else {
    Action(kChangeAction);
  }
}

void WorkListWindow::OnGridKey(wchar_t key) {
  if (key == L'\r') Action(kSaveAndCloseAction);
}

void WorkListWindow::OpenCellEditor() {
  GridView* grid = Grid(kTable);
  HWND editor = ControlWindow(kCellEditor);
  const int row = table_.Row();
  const int col = table_.Col();
  grid->ScrollIntoView(row, col);
  // Over the cell: the cell's place in the table, its row's height and its
  // column's width and 10 twips more.
  RECT cell = grid->CellBox(row, col);
  ::MapWindowPoints(grid->hwnd(), hwnd(), reinterpret_cast<POINT*>(&cell), 2);
  const int width = Px(table_.ColWidth(col) + 10);
  const int height = Px(table_.RowHeight(row));
  editRow_ = row;
  editCol_ = col;
  ::SetWindowTextW(editor, win::Widen(table_.TextMatrix(row, col)).c_str());
  ::SetWindowPos(editor, HWND_TOP, cell.left, cell.top, width, height, SWP_SHOWWINDOW);
  editorOpen_ = true;
  ::SetFocus(editor);
  ::SendMessageW(editor, EM_SETSEL, 0, -1);
}

void WorkListWindow::CloseCellEditor(bool write) {
  if (!editorOpen_) return;
  editorOpen_ = false;  // before anything that moves the focus
  HWND editor = ControlWindow(kCellEditor);
  if (write) table_.SetTextMatrix(editRow_, editCol_, WindowText(editor));
  const bool hadFocus = ::GetFocus() == editor;
  ::ShowWindow(editor, SW_HIDE);
  if (hadFocus) ::SetFocus(Grid(kTable)->hwnd());
}


void ShowWorkList(Program& program, bool todayOnly) {
  WorkListWindow& list = TheForm<WorkListWindow>();
  list.Attach(program);
  if (!list.Load(todayOnly)) return;
  list.Show();
  ::SetFocus(list.Grid(WorkListWindow::kTable)->hwnd());
}

}  // namespace quillet
