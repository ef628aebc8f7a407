#include "calendar/calendar_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "calendar/lunar.h"
#include "forms/skin.h"
#include "win32/accessible_hook.h"
#include "win32/clock.h"
#include "win32/paint.h"
#include "win32/subclass.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr Colour kPlainBack = MakeColour(255, 255, 255);
constexpr Colour kTodayBack = MakeColour(200, 200, 200);
constexpr Colour kFocusBack = MakeColour(255, 128, 255);
constexpr Colour kBlack = MakeColour(0, 0, 0);
constexpr Colour kRed = MakeColour(255, 0, 0);
constexpr Colour kNavy = MakeColour(0, 0, 128);
constexpr Colour kBlue = MakeColour(0, 0, 255);
constexpr Colour kWorkDayMark = MakeColour(64, 64, 64);

// The day cells, twips: 1320 apart, 80 wider than that, so that each
// cell's right edge lies under its neighbour.
constexpr double kCellLeft = 240;
constexpr double kCellTop = 840;
constexpr double kCellStepX = 1320;
constexpr double kCellWidth = 1400;
constexpr double kCellHeight = 720;
constexpr char kBoxFont[] = "宋体";
constexpr double kBoxPoints = 9;

struct BarRange {
  int min;
  int max;
  int smallStep;
  int largeStep;
};
constexpr BarRange kBars[2] = {{kCalendarFirstYear, kCalendarLastYear, 1, 10}, {1, 12, 1, 3}};

// Refits the cells' lines once the controls have their fonts for a new DPI.
constexpr UINT kRefitCells = WM_APP + 1;

constexpr const char* kWeekdays[7] = {"星期一", "星期二", "星期三", "星期四",
                                      "星期五", "星期六", "星期日"};
constexpr double kWeekdayLefts[7] = {240, 1800, 3120, 4440, 5760, 7080, 8400};

ControlDef Box(int index, double left, double top, double width, double height, bool multiLine) {
  ControlDef box = TextBox(CalendarWindow::kDayBoxes[index], left, top, width, height, kBoxFont,
                           kBoxPoints, multiLine);
  box.scrollBar = false;
  box.readOnly = true;  // the window only shows
  return box;
}

ControlDef BoldLabel(int index, double left, double top, double width, double height,
                     std::string text, double points) {
  ControlDef label = Label(CalendarWindow::kLabels[index], left, top, width, height, std::move(text),
                           kBoxFont, points);
  label.bold = true;
  return label;
}

WindowDef CalendarDefinition() {
  WindowDef def;
  def.caption = CalendarWindow::kCaption;
  def.width = 9780;
  def.height = 5370;
  for (int i = 0; i < kMonthGridCells; ++i) {
    def.controls.push_back(Box(i, kCellLeft + kCellStepX * (i % 7), kCellTop + kCellHeight * (i / 7),
                               kCellWidth, kCellHeight, true));
  }
  // The year's row (kYearBar), then the month's: "年份：" and "月份：" name
  // the box and the bar of their row.
  for (int row = 0; row < 2; ++row) {
    def.controls.push_back(Box(kMonthGridCells + row, 840, 240 * row, 615, 270, false));
    def.controls.back().namedBy = {CalendarWindow::kLabels[7 + row]};
  }
  for (int row = 0; row < 2; ++row) {
    def.controls.push_back(ScrollBar(CalendarWindow::kScrollBars[row], 1440, 240 * row, 4935, 255));
    def.controls.back().namedBy = {CalendarWindow::kLabels[7 + row]};
  }
  for (int i = 0; i < 7; ++i) {
    def.controls.push_back(BoldLabel(i, kWeekdayLefts[i], 600, 855, 255, kWeekdays[i], 9));
  }
  def.controls.push_back(BoldLabel(7, 240, 50, 615, 255, "年份：", 9));
  def.controls.push_back(BoldLabel(8, 240, 320, 615, 255, "月份：", 9));
  def.controls.push_back(
      BoldLabel(CalendarWindow::kTodayHeading, 6480, 0, 2175, 255, "今天的农历日期是：", 10.5));
  def.controls.push_back(BoldLabel(CalendarWindow::kTodayDate, 6480, 310, 3015, 390, "", 10.5));
  return def;
}

Colour LabelColour(int index) {
  switch (index) {
    case 5:
    case 6:
      return kRed;  // Saturday and Sunday
    case 7:
      return kNavy;
    case 9:
      return kBlue;
    default:
      return kBlack;
  }
}

bool RedText(int box) { return box >= kMonthGridCells || box % 7 >= 5; }

int TextWidth(HDC dc, const std::wstring& text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

CalendarWindow::CalendarWindow()
    : Form(CalendarDefinition(), FormStyle{.framed = true, .sizable = false}) {}

void CalendarWindow::OnLoad() {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
  ::InitCommonControlsEx(&controls);
  white_ = win::Brush(::CreateSolidBrush(win::ToColorRef(kPlainBack)));
  grey_ = win::Brush(::CreateSolidBrush(win::ToColorRef(kTodayBack)));
  pink_ = win::Brush(::CreateSolidBrush(win::ToColorRef(kFocusBack)));
  MakeMarkFont();
  focused_ = -1;
  lastFocused_ = -1;
  for (int i = 0; i < kTextBoxes; ++i) {
    boxes_[static_cast<std::size_t>(i)] = ControlWindow(kDayBoxes[i]);
    backs_[static_cast<std::size_t>(i)] = kPlainBack;
  }

  // The tooltips show a cell's whole text where a line had to be cut.
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Px(6000));  // room for the lines as they are
  for (int i = 0; i < kMonthGridCells; ++i) {
    HWND cell = boxes_[static_cast<std::size_t>(i)];
    // Each later cell lies over its left neighbour's right edge.
    ::SetWindowPos(cell, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    win::Subclass(cell, [this, i](HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
      return CellProc(box, msg, wParam, lParam, i);
    });
    win::HookAccessible(cell, this);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(cell);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  for (int bar = 0; bar < 2; ++bar) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, kBars[bar].min, kBars[bar].max, 0,
                    kBars[bar].min, 0};
    ::SetScrollInfo(ControlWindow(kScrollBars[bar]), SB_CTL, &info, FALSE);
  }

  // A newer file the user put into the data folder is read at each opening.
  marks_ = LoadDayMarks(program().state.Parameters[kParamDataFolder], program().state.ProgramFolder);
  const SYSTEMTIME now = win::LocalNow();
  lunarToday_ = LunarDateText(CivilDate{now.wYear, now.wMonth, now.wDay});
  // Both bars set as a user would set them, so the boxes show their values
  // even where a bar already stood there; the grid is filled once, for both.
  year_ = ShowScrollValue(kYearBar, now.wYear);
  SetScrollValue(kMonthBar, now.wMonth);
}

void CalendarWindow::OnUnload() {
  tooltip_ = nullptr;  // owned by the window: it goes with it
  boxes_ = {};
  focused_ = -1;
  lastFocused_ = -1;
  white_.reset();
  grey_.reset();
  pink_.reset();
  markFont_.reset();
}

void CalendarWindow::MakeMarkFont() {
  // The cells' face and size in bold, so the thin strokes of 休 and 班 read.
  ControlDef mark = *FindControl(Definition(), kDayBoxes);
  mark.bold = true;
  markFont_ = ControlFontAt(mark, Dpi());
}

int CalendarWindow::ShowScrollValue(int bar, int value) {
  value = std::clamp(value, kBars[bar].min, kBars[bar].max);
  ::SetScrollPos(ControlWindow(kScrollBars[bar]), SB_CTL, value, TRUE);
  ::SetWindowTextW(boxes_[static_cast<std::size_t>(kMonthGridCells + bar)],
                   (L" " + std::to_wstring(value)).c_str());
  return value;
}

void CalendarWindow::SetScrollValue(int bar, int value) {
  if (bar != kYearBar && bar != kMonthBar) return;
  value = ShowScrollValue(bar, value);
  FillMonth(bar == kYearBar ? value : year_, bar == kMonthBar ? value : month_);
}

void CalendarWindow::FillMonth(int year, int month) {
  if (!IsLoaded()) return;
  year_ = year;
  month_ = month;
  const SYSTEMTIME now = win::LocalNow();
  cells_ = MonthCells(year, month, CivilDate{now.wYear, now.wMonth, now.wDay}, marks_);
  ShowCells();
  for (int i = 0; i < kMonthGridCells; ++i) {
    // Cells outside the month turn white too, so no grey is left behind.
    backs_[static_cast<std::size_t>(i)] = cells_[static_cast<std::size_t>(i)].today ? kTodayBack : kPlainBack;
    ::InvalidateRect(boxes_[static_cast<std::size_t>(i)], nullptr, TRUE);
  }
  // A focused cell goes back to its new colour when it loses the focus.
  if (focused_ >= 0 && focused_ < kMonthGridCells) focusColour_ = backs_[static_cast<std::size_t>(focused_)];
}

Colour CalendarWindow::BoxColour(int index) const {
  if (index < 0 || index >= kTextBoxes) return kPlainBack;
  return index == focused_ ? kFocusBack : backs_[static_cast<std::size_t>(index)];
}

int CalendarWindow::BoxIndex(HWND box) const {
  if (!box) return -1;
  const auto found = std::find(boxes_.begin(), boxes_.end(), box);
  return found == boxes_.end() ? -1 : static_cast<int>(found - boxes_.begin());
}

int CalendarWindow::VisibleRight(int index) const {
  HWND cell = boxes_[static_cast<std::size_t>(index)];
  RECT client{};
  ::GetClientRect(cell, &client);
  if (index % 7 == 6) return client.right;
  POINT edge{ControlBox(kDayBoxes[index + 1]).left, 0};
  ::MapWindowPoints(hwnd(), cell, &edge, 1);
  return std::min<int>(edge.x, client.right);
}

void CalendarWindow::ShowCells() {
  // The cells share one face and size: one DC measures them all.
  win::WindowDc dc(hwnd());
  win::SelectScope font(dc.get(), ControlFont(kDayBoxes));
  for (int i = 0; i < kMonthGridCells; ++i) ShowCell(dc.get(), i);
}

void CalendarWindow::ShowCell(HDC measuring, int index) {
  const std::size_t i = static_cast<std::size_t>(index);
  const DayCell& cell = cells_[i];
  std::string shown;
  bool cut = false;
  if (cell.day != 0) {
    RECT format{};
    ::SendMessageW(boxes_[i], EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int width = std::min<int>(format.right, VisibleRight(index)) - format.left;
    const auto measure = [measuring](std::string_view text) { return TextWidth(measuring, win::Widen(text)); };
    for (int n = 0; n < cell.LineCount(); ++n) {
      const std::string line = cell.Line(n);
      const std::string fitted = FitLine(line, width, measure);
      cut = cut || fitted != line;
      if (n > 0) shown += "\r\n";
      shown += fitted;
    }
  }
  ::SetWindowTextW(boxes_[i], win::Widen(shown).c_str());
  tips_[i] = cut ? win::Widen(cell.Text()) : std::wstring();
}

void CalendarWindow::PaintMark(HWND box, int index) const {
  if (index < 0 || index >= kMonthGridCells) return;
  const DayMark mark = cells_[static_cast<std::size_t>(index)].mark;
  if (mark == DayMark::None) return;
  const std::wstring text = win::Widen(DayMarkText(mark));
  win::WindowDc dc(box);
  win::SelectScope font(dc.get(), markFont_.get());
  const int oldMode = ::SetBkMode(dc.get(), TRANSPARENT);
  const Palette palette = CurrentPalette();
  const Colour own = mark == DayMark::DayOff ? kRed : kWorkDayMark;
  const Colour flat = BoxColour(index) == kFocusBack ? palette.selectionText : palette.cellText;
  const COLORREF oldColour = ::SetTextColor(dc.get(), win::ToColorRef(palette.flat ? flat : own));
  // Top right of the part of the cell that shows, clear of the day number.
  const int x = VisibleRight(index) - TextWidth(dc.get(), text) - Px(15);
  ::TextOutW(dc.get(), x, Px(15), text.c_str(), static_cast<int>(text.size()));
  ::SetTextColor(dc.get(), oldColour);
  ::SetBkMode(dc.get(), oldMode);
}

LRESULT CalendarWindow::CellProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, int index) {
  if (msg == WM_KEYDOWN && CellKey(index, wParam)) return 0;
  const LRESULT result = ::DefSubclassProc(box, msg, wParam, lParam);
  if (msg == WM_PAINT) PaintMark(box, index);
  return result;
}

void CalendarWindow::OnScroll(HWND bar, int code) {
  const int which = bar == ControlWindow(kScrollBars[kYearBar]) ? kYearBar
                    : bar == ControlWindow(kScrollBars[kMonthBar]) ? kMonthBar
                                                               : -1;
  if (which < 0) return;
  const BarRange& range = kBars[which];
  SCROLLINFO info{sizeof info, SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
  ::GetScrollInfo(bar, SB_CTL, &info);
  int value = info.nPos;
  switch (code) {
    case SB_LINELEFT: value -= range.smallStep; break;
    case SB_LINERIGHT: value += range.smallStep; break;
    case SB_PAGELEFT: value -= range.largeStep; break;
    case SB_PAGERIGHT: value += range.largeStep; break;
    case SB_LEFT: value = range.min; break;
    case SB_RIGHT: value = range.max; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = info.nTrackPos; break;
    default: return;
  }
  value = std::clamp(value, range.min, range.max);
  if (value != info.nPos) SetScrollValue(which, value);
}

bool CalendarWindow::CellKey(int index, WPARAM key) {
  const int day = cells_[static_cast<std::size_t>(index)].day;
  const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const CivilDate shown{year_, month_, std::max(day, 1)};
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      if (day == 0) return false;
      const int step = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : key == VK_UP ? -7 : 7;
      ShowDay(DateFromDayNumber(DayNumber(shown) + step));
      return true;
    }
    case VK_PRIOR:
    case VK_NEXT: {  // a month, with Ctrl a year, the day kept where the month has it
      const int months = (key == VK_PRIOR ? -1 : 1) * (ctrl ? 12 : 1);
      const int serial = year_ * 12 + (month_ - 1) + months;
      const int year = serial / 12;
      const int month = serial % 12 + 1;
      ShowDay({year, month, std::min(shown.day, DaysInMonth(year, month))});
      return true;
    }
    case VK_HOME:
      ShowToday();
      return true;
    default:
      return false;
  }
}

bool CalendarWindow::Name(HWND box, long child, std::wstring* name) {
  const int index = BoxIndex(box);
  if (child != CHILDID_SELF || index < 0 || index >= kMonthGridCells) return false;
  *name = win::Widen(cells_[static_cast<std::size_t>(index)].SpokenText(year_, month_));
  return true;
}

bool CalendarWindow::Role(HWND box, long child, long* role) {
  const int index = BoxIndex(box);
  if (child != CHILDID_SELF || index < 0 || index >= kMonthGridCells) return false;
  *role = ROLE_SYSTEM_CELL;
  return true;
}

void CalendarWindow::ShowDay(const CivilDate& date) {
  if (date.year < kBars[kYearBar].min || date.year > kBars[kYearBar].max) return;
  if (date.year != year_ || date.month != month_) {
    year_ = ShowScrollValue(kYearBar, date.year);
    SetScrollValue(kMonthBar, date.month);
  }
  for (int i = 0; i < kMonthGridCells; ++i) {
    if (cells_[static_cast<std::size_t>(i)].day == date.day) ::SetFocus(boxes_[static_cast<std::size_t>(i)]);
  }
}

void CalendarWindow::ShowToday() {
  const SYSTEMTIME now = win::LocalNow();
  ShowDay({now.wYear, now.wMonth, now.wDay});
}

void CalendarWindow::FocusToday() {
  for (int i = 0; i < kMonthGridCells; ++i) {
    if (cells_[static_cast<std::size_t>(i)].today) ::SetFocus(boxes_[static_cast<std::size_t>(i)]);
  }
}

bool CalendarWindow::TabStop(const ControlDef& control) const {
  if (!InGroup(control, kDayBoxes)) return true;
  if (control.index >= kMonthGridCells) return false;
  const auto day = [this](int i) { return cells_[static_cast<std::size_t>(i)].day; };
  int stop = lastFocused_;
  if (stop < 0 || day(stop) == 0) {
    for (int i = kMonthGridCells - 1; i >= 0; --i) {
      if (day(i) == 1) stop = i;
    }
  }
  return control.index == stop;
}

void CalendarWindow::OnBoxFocus(int index, bool gained) {
  if (gained) {
    focusColour_ = backs_[static_cast<std::size_t>(index)];
    focused_ = index;
    if (index < kMonthGridCells) lastFocused_ = index;
  } else {
    backs_[static_cast<std::size_t>(index)] = focusColour_;
    if (focused_ == index) focused_ = -1;
  }
  ::InvalidateRect(boxes_[static_cast<std::size_t>(index)], nullptr, TRUE);
}

LRESULT CalendarWindow::BoxColours(HDC dc, HWND box) {
  const int index = BoxIndex(box);
  const Colour back = BoxColour(index);
  const Palette palette = CurrentPalette();
  if (palette.flat) {
    // The focused day in the selection's colours, the others as table cells
    // (the system's brushes of those colours).
    const bool focused = back == kFocusBack;
    ::SetBkColor(dc, win::ToColorRef(focused ? palette.selection : palette.cell));
    ::SetTextColor(dc, win::ToColorRef(focused ? palette.selectionText : palette.cellText));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  }
  ::SetBkColor(dc, win::ToColorRef(back));
  ::SetTextColor(dc, win::ToColorRef(RedText(index) ? kRed : kBlack));
  const win::Brush& brush = back == kFocusBack ? pink_ : back == kTodayBack ? grey_ : white_;
  return reinterpret_cast<LRESULT>(brush.get());
}

bool CalendarWindow::OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_LBUTTONDOWN: {  // "今天的农历日期是" and its date: back to today
      const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      const RECT heading = ControlBox(kLabels[kTodayHeading]);
      const RECT date = ControlBox(kLabels[kTodayDate]);
      if (!::PtInRect(&heading, at) && !::PtInRect(&date, at)) return false;
      ShowToday();
      *result = 0;
      return true;
    }
    case WM_HSCROLL:
      OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
      *result = 0;
      return true;
    case WM_COMMAND: {
      const int index = BoxIndex(reinterpret_cast<HWND>(lParam));
      const int code = HIWORD(wParam);
      if (index < 0 || (code != EN_SETFOCUS && code != EN_KILLFOCUS)) return false;
      OnBoxFocus(index, code == EN_SETFOCUS);
      *result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (BoxIndex(reinterpret_cast<HWND>(lParam)) < 0) return false;
      *result = BoxColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      return true;
    case WM_NOTIFY: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      if (info->hdr.hwndFrom != tooltip_ || info->hdr.code != TTN_GETDISPINFOW) return false;
      const int index = BoxIndex(reinterpret_cast<HWND>(info->hdr.idFrom));
      static wchar_t none[] = L"";
      info->lpszText = index >= 0 && index < kMonthGridCells ? tips_[static_cast<std::size_t>(index)].data() : none;
      *result = 0;
      return true;
    }
    case WM_DPICHANGED:
      ::PostMessageW(hwnd(), kRefitCells, 0, 0);
      return false;  // the form takes the new size and fonts first
    case kRefitCells:
      MakeMarkFont();
      ShowCells();
      *result = 0;
      return true;
    default:
      return false;
  }
}

void CalendarWindow::Paint(const PaintTarget& target) {
  const Palette palette = CurrentPalette();
  PaintBackground(target, palette);
  const int oldMode = ::SetBkMode(target.dc, TRANSPARENT);
  const COLORREF oldColour = ::GetTextColor(target.dc);
  for (const ControlDef& c : Definition().controls) {
    if (c.kind != ControlKind::Label) continue;
    // The form's own font, unless drawn for another DPI.
    win::Font other = target.dpi == Dpi() ? win::Font() : ControlFontAt(c, target.dpi);
    win::SelectScope select(target.dc, other ? other.get() : ControlFont(kLabels[c.index]));
    ::SetTextColor(target.dc, win::ToColorRef(palette.flat ? palette.text : LabelColour(c.index)));
    const std::wstring text = win::Widen(c.index == 9 ? lunarToday_ : c.text);
    RECT box{target.Px(c.left), target.Px(c.top), target.Px(c.left + c.width), target.Px(c.top + c.height)};
    ::DrawTextW(target.dc, text.c_str(), static_cast<int>(text.size()), &box, DT_NOPREFIX | DT_SINGLELINE);
  }
  ::SetTextColor(target.dc, oldColour);
  ::SetBkMode(target.dc, oldMode);
}

void ShowCalendar(Program& program) {
  CalendarWindow& calendar = TheForm<CalendarWindow>();
  calendar.Attach(program);
  if (!calendar.Load()) return;
  calendar.Show();
  calendar.FocusToday();
}

}  // namespace quillet
