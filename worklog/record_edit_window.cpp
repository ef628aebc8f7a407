#include "worklog/record_edit_window.h"

#include <commctrl.h>

#include "forms/message_window.h"
#include "forms/skin.h"
#include "forms/text_input_win.h"
#include "win32/paint.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr char kTitle[] = "   编辑/添加记录";
constexpr char kStartAfterDeadline[] = "您填写的工作任务，开始时间晚于截止时间，请重新填写！";
constexpr char kNoContent[] = "您没有填写任何工作内容，请重新填写！";
constexpr char kNotToday[] =
    "您刚才修改或添加的工作内容已经加入表格，但由于不是今天的工作，所以“今天的工作记录”中无法显示，"
    "只能在“全部工作记录”表中显示。";
constexpr char kFace[] = "宋体";
constexpr double kPoints = 9;

constexpr int kStartHour = 9;      // a new record starts today at 9:0
constexpr int kDeadlineHour = 17;  // and is due today at 17:0
// Subclass ids of the controls whose keys the window takes: the lists by
// their index 0..9, the others from here on.
constexpr UINT_PTR kOtherControlKeys = 100;

// Left edges of the five lists of a row and of the "年".."分" labels after
// them, twips.
constexpr double kListLeft[kDateListCount] = {120, 1200, 2040, 3120, 3960};
constexpr double kUnitLeft[kDateListCount] = {960, 1800, 2640, 3720, 4560};
constexpr const char* kUnits[kDateListCount] = {"年", "月", "日", "时", "分"};

ControlDef TextLabel(int index, double left, double top, double width, const char* text) {
  return Label(RecordEditWindow::kLabels[index], left, top, width, 240, text, kFace, kPoints);
}

WindowDef RecordEditDefinition() {
  WindowDef def{RecordEditWindow::kCaption, 6780, 4725, {
      TextLabel(0, 120, 600, 2400, "工作起始日期及时间："),
      TextLabel(1, 120, 1200, 2400, "工作截止日期及时间："),
      TextLabel(2, 120, 1800, 2400, "工作内容描述："),
      TextLabel(3, 120, 3000, 1200, "备注："),
  }};
  // Start lists in the row at 840, deadline lists in the row at 1440.
  for (int group = 0; group < 2; ++group) {
    const double top = 840 + 600 * group;
    for (int i = 0; i < kDateListCount; ++i) {
      def.controls.push_back(SystemControl(
          ControlKind::ComboBox, RecordEditWindow::kDateLists[group * kDateListCount + i],
          kListLeft[i], top, i == kYearList ? 795 : 555, 300, {}, kFace, kPoints));
      // Named by the row's label and the unit after the list: "工作起始日期及时间 年".
      def.controls.back().namedBy = {RecordEditWindow::kLabels[group],
                                     RecordEditWindow::kLabels[4 + group * 5 + i]};
      def.controls.push_back(TextLabel(4 + group * 5 + i, kUnitLeft[i], top + 75, 240, kUnits[i]));
    }
    def.controls.push_back(
        TextBox(RecordEditWindow::kDateTexts[group], 4920, top, 1695, 270, kFace, kPoints, false));
    def.controls.back().namedBy = {RecordEditWindow::kLabels[group]};
  }
  using W = RecordEditWindow;
  def.controls.push_back(TextBox(W::kContentBox, 120, 2040, 5055, 855, kFace, kPoints, true));
  def.controls.back().namedBy = {W::kLabels[2]};
  def.controls.push_back(TextBox(W::kRemarksBox, 120, 3240, 5055, 1335, kFace, kPoints, true));
  def.controls.back().namedBy = {W::kLabels[3]};
  def.controls.push_back(SystemControl(ControlKind::Frame, W::kStateFrame, 5280, 3000, 1335, 1575,
                                       "完成情况", kFace, kPoints));
  for (int i = 0; i < kCompletionStateCount; ++i) {
    def.controls.push_back(SystemControl(ControlKind::Option, W::kStates[i], 5280 + 120,
                                         3000 + 240 + 240 * i, 1095, 255,
                                         StateName(static_cast<std::int16_t>(i)), kFace, kPoints));
  }
  def.controls.push_back(ButtonControl(W::kActionButton, 5400, 1920, 1215, 375,
                                       RecordEditModeCaption(RecordEditMode::Add)));
  def.controls.push_back(ButtonControl(W::kCancelButton, 5400, 2520, 1215, 375, "取　　消"));
  return def;
}

// The background of the frame and its options: the window's colour darkened
// twice.
// The state frame's colour: a shade of the background, the background itself when flat.
Colour FrameColour(const Palette& palette) {
  return palette.flat ? palette.back : DarkenColour(DarkenColour(palette.back, 65), 15);
}

}  // namespace

RecordEditWindow::RecordEditWindow() : Form(RecordEditDefinition(), FormStyle{}) {}

bool RecordEditWindow::Load(RecordBook& book, RecordEditMode mode, int row) {
  if (IsLoaded()) return true;
  if (!book.BookOpen()) return false;
  if (mode != RecordEditMode::Add && (row < 1 || row >= book.Table().Rows())) return false;
  book_ = &book;
  mode_ = mode;
  row_ = mode == RecordEditMode::Add ? 0 : row;
  // The action button's caption is the mode; set before the button is made
  // so that it is centred for it.
  for (ControlDef& c : MutableDefinition().controls) {
    if (Is(c, kActionButton)) c.text = RecordEditModeCaption(mode_);
  }
  return LoadForm();
}

void RecordEditWindow::OnLoad() {
  RecordBook& list = *book_;
  // The frame fills its surface, so it lies under its options and never
  // draws over them.
  HWND frame = ControlWindow(kStateFrame);
  ::SetWindowLongPtrW(frame, GWL_STYLE, ::GetWindowLongPtrW(frame, GWL_STYLE) | WS_CLIPSIBLINGS);
  ::SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  win::Subclass(frame, [this](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    return FramePaint(box, msg, wParam, lParam);
  });

  // The composed texts come from the lists only.
  for (int group = 0; group < 2; ++group) {
    ::SendMessageW(ControlWindow(kDateTexts[group]), EM_SETREADONLY, TRUE, 0);
  }
  RefuseUnmappableInput(ControlWindow(kContentBox));
  RefuseUnmappableInput(ControlWindow(kRemarksBox));
  const auto takeKeys = [this](HWND control, UINT_PTR id) {
    win::Subclass(control, [this, id](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
      return ControlKeys(box, msg, wParam, lParam, id);
    });
  };
  for (int k = 0; k < 2 * kDateListCount; ++k) {
    takeKeys(ControlWindow(kDateLists[k]), static_cast<UINT_PTR>(k));
  }
  for (const ControlKey box : {kDateTexts[0], kDateTexts[1], kContentBox, kRemarksBox}) {
    takeKeys(ControlWindow(box), kOtherControlKeys);
  }
  for (int i = 0; i < kCompletionStateCount; ++i) {
    takeKeys(ControlWindow(kStates[i]), kOtherControlKeys);
  }

  FillLists();
  const WorkTableContext context = list.Context();
  if (mode_ == RecordEditMode::Add) {
    groups_[0].ShowNew(context.today, kStartHour);
    groups_[1].ShowNew(context.today, kDeadlineHour);
    openedState_ = StateName(static_cast<std::int16_t>(CompletionState::NotDone));
  } else {
    const TableModel& table = list.Table();
    groups_[0].Show(table.TextMatrix(row_, 1));
    groups_[1].Show(table.TextMatrix(row_, 2));
    ::SetWindowTextW(ControlWindow(kContentBox),
                     win::Widen(table.TextMatrix(row_, 3)).c_str());
    ::SetWindowTextW(ControlWindow(kRemarksBox),
                     win::Widen(table.TextMatrix(row_, 5)).c_str());
    openedState_ = table.TextMatrix(row_, 4);
  }
  SelectOptionByCaption(openedState_);
  ShowGroup(0);
  ShowGroup(1);
  ::EnableWindow(list.BookWindow(), FALSE);
  if (mode_ == RecordEditMode::View) ::ShowWindow(ControlWindow(kActionButton), SW_HIDE);
}

void RecordEditWindow::OnUnload() {
  EnableListWindow();
  frameBrush_.Reset();
}

void RecordEditWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  PaintTitleBar(target, kTitle, palette);
  const ControlDef* frame = FindControl(Definition(), kStateFrame);
  const PixelBox f = ToPixels(*frame, target.dpi);
  win::FillSolid(target.dc, RECT{f.left, f.top, f.left + f.width, f.top + f.height},
                 FrameColour(palette));
  for (const ControlDef& c : Definition().controls) {
    if (c.kind != ControlKind::Label) continue;
    PaintLabel(target, c, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
}

void RecordEditWindow::OnClick(const ControlDef& control) {
  if (Is(control, kActionButton)) SaveRecord();
  if (Is(control, kCancelButton)) Cancel();
}

void RecordEditWindow::OnCommand(const ControlDef& control, int code) {
  if (InGroup(control, kDateLists) && code == CBN_SELCHANGE) ApplyList(control.index);
}

bool RecordEditWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto control = reinterpret_cast<HWND>(lParam);
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (control == ControlWindow(kDateTexts[0]) || control == ControlWindow(kDateTexts[1])) {
        // Read-only, yet drawn as the boxes the user types into.
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        *result = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        return true;
      }
      bool framed = control == ControlWindow(kStateFrame);
      for (int i = 0; i < kCompletionStateCount; ++i)
        framed = framed || control == ControlWindow(kStates[i]);
      if (!framed) return false;
      const Palette palette = CurrentPalette();
      const Colour back = FrameColour(palette);
      ::SetBkColor(dc, win::ToColorRef(back));
      ::SetTextColor(dc, win::ToColorRef(palette.text));
      *result = reinterpret_cast<LRESULT>(frameBrush_.For(back));
      return true;
    }
    case WM_KEYDOWN:
      if (wParam != VK_RETURN) return false;
      SaveRecord();
      *result = 0;
      return true;
    default:
      return false;
  }
}

LRESULT RecordEditWindow::ControlKeys(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id) {
  if (msg == WM_CHAR) {
    const bool isList = id < kOtherControlKeys;
    if (wParam == '\r') {
      // Enter in a list takes the list's entry first, as a click would.
      if (isList) ApplyList(static_cast<int>(id));
      SaveRecord();
      return 0;
    }
    // The lists take no typing (not even the jump to an entry by its first
    // digit); Ctrl+Enter would break a text box's line.
    if (isList || wParam == '\n') return 0;
  }
  return ::DefSubclassProc(control, msg, wParam, lParam);
}

LRESULT RecordEditWindow::FramePaint(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      // A group box draws only its edge and caption: the surface first, then
      // the box itself into the same DC.
      win::PaintScope paint(frame);
      RECT client{};
      ::GetClientRect(frame, &client);
      ::FillRect(paint.dc(), &client, frameBrush_.For(FrameColour(CurrentPalette())));
      ::DefSubclassProc(frame, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paint.dc()), PRF_CLIENT);
      return 0;
    }
    default:
      break;
  }
  return ::DefSubclassProc(frame, msg, wParam, lParam);
}

void RecordEditWindow::FillLists() {
  for (int k = 0; k < 2 * kDateListCount; ++k) {
    HWND list = ControlWindow(kDateLists[k]);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : DateListItems(k % kDateListCount)) {
      ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(item).c_str()));
    }
  }
}

void RecordEditWindow::ShowGroup(int group) {
  const DateListGroup& shown = groups_[static_cast<std::size_t>(group)];
  HWND days = ControlWindow(kDateLists[group * kDateListCount + kDayList]);
  const auto dayCount = static_cast<std::size_t>(::SendMessageW(days, CB_GETCOUNT, 0, 0));
  // The day list always holds "1".."n": refilled only when n changes, so a
  // day being chosen is not pulled from under the user.
  if (dayCount != shown.DayItems().size()) {
    ::SendMessageW(days, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : shown.DayItems()) {
      ::SendMessageW(days, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(item).c_str()));
    }
  }
  for (int i = 0; i < kDateListCount; ++i) {
    HWND list = ControlWindow(kDateLists[group * kDateListCount + i]);
    const std::string& text = shown.Lists()[static_cast<std::size_t>(i)];
    LRESULT at = CB_ERR;
    if (!text.empty()) {
      at = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(win::Widen(text).c_str()));
    }
    if (::SendMessageW(list, CB_GETCURSEL, 0, 0) != at)
      ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
  ::SetWindowTextW(ControlWindow(kDateTexts[group]), win::Widen(shown.Text()).c_str());
}

void RecordEditWindow::ApplyList(int index) {
  if (index < 0 || index >= 2 * kDateListCount) return;
  HWND list = ControlWindow(kDateLists[index]);
  const LRESULT at = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return;
  std::wstring entry(
      static_cast<std::size_t>(::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(at), 0)) +
          1,
      L'\0');
  entry.resize(static_cast<std::size_t>(::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(at),
                                                       reinterpret_cast<LPARAM>(entry.data()))));
  const int group = index / kDateListCount;
  groups_[static_cast<std::size_t>(group)].Choose(index % kDateListCount, win::Narrow(entry),
                                                  book_->Context().today,
                                                  group == 0 ? kStartHour : kDeadlineHour);
  ShowGroup(group);
}

std::string RecordEditWindow::SelectedOptionCaption() const {
  for (int i = 0; i < kCompletionStateCount; ++i) {
    if (::SendMessageW(ControlWindow(kStates[i]), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      return FindControl(Definition(), kStates[i])->text;
    }
  }
  return {};
}

void RecordEditWindow::SelectOptionByCaption(const std::string& caption) {
  for (int i = 0; i < kCompletionStateCount; ++i) {
    const bool match = FindControl(Definition(), kStates[i])->text == caption;
    ::SendMessageW(ControlWindow(kStates[i]), BM_SETCHECK, match ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void RecordEditWindow::SaveRecord() {
  if (!IsLoaded() || mode_ == RecordEditMode::View) return;
  WorkRecord record{StartText(), DeadlineText(), WindowText(ControlWindow(kContentBox)),
                    SelectedOptionCaption(), WindowText(ControlWindow(kRemarksBox))};
  // A state none of the options names stays as it was unless one is chosen.
  if (record.state.empty()) record.state = openedState_;
  switch (CheckRecord(record)) {
    case RecordProblem::StartAfterDeadline:
      ShowMessage(program(), kStartAfterDeadline);
      return;
    case RecordProblem::NoContent:
      ShowMessage(program(), kNoContent);
      return;
    case RecordProblem::None:
      break;
  }
  RecordBook& list = *book_;
  if (!list.BookOpen()) {
    Close();
    return;
  }
  const RecordPlacement placed = PutRecordInTable(
      list.Table(), mode_ == RecordEditMode::Change ? row_ : 0, record, list.Context());
  Close();
  if (placed.shown) list.ShowRow(placed.row);
  if (placed.notToday) ShowMessage(program(), kNotToday);
}

void RecordEditWindow::Cancel() { Close(); }

void RecordEditWindow::Close() {
  // The list window first, so that it takes the activation back.
  EnableListWindow();
  Unload();
}

void RecordEditWindow::EnableListWindow() {
  if (book_ && book_->BookOpen()) ::EnableWindow(book_->BookWindow(), TRUE);
}

void OpenRecordEditor(Program& program, RecordBook& book, RecordEditMode mode, int row) {
  RecordEditWindow& editor = TheForm<RecordEditWindow>();
  if (editor.IsLoaded()) return;
  editor.Attach(program);
  if (!editor.Load(book, mode, row)) return;
  editor.Show();
  // Where typing starts: the content of a new record, else the first list.
  ::SetFocus(editor.ControlWindow(mode == RecordEditMode::Add ? RecordEditWindow::kContentBox
                                                              : RecordEditWindow::kDateLists[0]));
}

void CloseRecordEditor() {
  RecordEditWindow& editor = TheForm<RecordEditWindow>();
  if (editor.IsLoaded()) editor.Cancel();
}

}  // namespace quillet
