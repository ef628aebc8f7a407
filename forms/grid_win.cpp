#include "forms/grid_win.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "forms/skin_paint_win.h"
#include "win32/paint.h"
#include "win32/render_messages.h"
#include "win32/scroll_bar.h"
#include "win32/text.h"

namespace quillet {

namespace {

constexpr wchar_t kGridClass[] = L"QuilletGrid";
constexpr int kTextPadding = 2;  // pixels between a cell's edge and its text
// Posted when the current cell moves while the grid has the focus: one
// focus event when the move (row, column, selection) is complete.
constexpr UINT kAnnounceCell = WM_APP + 1;

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

// A data cell's part, row by row from 1; the cell of a part.
long PartOf(const TableModel& m, int row, int col) { return static_cast<long>(row - 1) * (m.Cols() - 1) + col; }
int RowOfPart(const TableModel& m, long part) { return static_cast<int>((part - 1) / (m.Cols() - 1)) + 1; }
int ColOfPart(const TableModel& m, long part) { return static_cast<int>((part - 1) % (m.Cols() - 1)) + 1; }

}  // namespace

GridView::~GridView() {
  if (model_) model_->SetObserver(nullptr);
  Destroy();
}

bool GridView::Create(HWND parent, int id, const RECT& box, int dpi) {
  dpi_ = dpi;
  const win::WindowPlacement at{box.left, box.top, box.right - box.left, box.bottom - box.top};
  if (!win::Window::Create(kGridClass, L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL |
                               WS_HSCROLL,
                           WS_EX_CLIENTEDGE, at, parent)) {
    return false;
  }
  ::SetWindowLongPtrW(hwnd(), GWLP_ID, id);
  RecreateFont();
  layoutDirty_ = true;
  return true;
}

void GridView::Move(const RECT& box, int dpi) {
  if (dpi != dpi_) {
    dpi_ = dpi;
    RecreateFont();
  }
  ::MoveWindow(hwnd(), box.left, box.top, box.right - box.left, box.bottom - box.top, TRUE);
  layoutDirty_ = true;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void GridView::RecreateFont() {
  // 宋体 9 pt, the GB2312 character set.
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(9, dpi_, 72);
  lf.lfCharSet = GB2312_CHARSET;
  lf.lfWeight = FW_NORMAL;
  const std::wstring face = win::Widen("宋体");
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  font_.reset(::CreateFontIndirectW(&lf));
}

void GridView::SetModel(TableModel* model) {
  if (model_) model_->SetObserver(nullptr);
  model_ = model;
  if (model_) model_->SetObserver(this);
  OnShapeChanged();
}

void GridView::SetLineColour(Colour colour) {
  lineColour_ = colour;
  if (IsAlive()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void GridView::OnDetached() {
  dragging_ = false;
  accessible_.Reset();
  announced_ = 0;
  announcePending_ = false;
}

// ---- model notifications -------------------------------------------------

void GridView::InvalidateAll() {
  // Many changes in a row (a load, a filter) cost one call to the system.
  if (!IsAlive() || allInvalid_) return;
  allInvalid_ = true;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void GridView::OnCellChanged(int row, int col) {
  if (!IsAlive() || allInvalid_) return;
  if (layoutDirty_) {
    InvalidateAll();
    return;
  }
  const GridGeometry geometry = Geometry();
  RECT box = CellBox(row, col);
  if (row == 0) box = RECT{box.left, 0, box.right, geometry.HeaderHeight()};
  if (col == 0) box = RECT{0, box.top, geometry.FixedWidth(), box.bottom};
  ::InvalidateRect(hwnd(), &box, FALSE);
}

void GridView::OnRowsChanged(int firstRow, int lastRow) {
  if (!layoutDirty_ && model_) {
    // A long run of rows is cheaper rebuilt than updated one by one.
    if (lastRow - firstRow > index_.Size() / 8) {
      layoutDirty_ = true;
    } else {
      for (int r = firstRow; r <= lastRow; ++r) index_.SetHeight(r, model_->RowHeight(r));
      barsDirty_ = true;
    }
  }
  InvalidateAll();
}

void GridView::OnShapeChanged() {
  // Rebuilt when next needed: loading many rows one by one must not
  // rebuild the index after each.
  layoutDirty_ = true;
  InvalidateAll();
}

void GridView::OnCurrentCellChanged() {
  if (IsAlive() && !inLayout_) {
    barsDirty_ = true;
    InvalidateAll();
  }
  AnnounceCurrentCell();
}

// ---- screen readers ---------------------------------------------------------

void GridView::AnnounceCurrentCell() {
  if (!IsAlive() || announcePending_ || ::GetFocus() != hwnd()) return;
  announcePending_ = ::PostMessageW(hwnd(), kAnnounceCell, 0, 0) != FALSE;
}

long GridView::CurrentPart() const {
  if (!model_ || model_->Row() < 1 || model_->Col() < 1) return 0;
  return PartOf(*model_, model_->Row(), model_->Col());
}

long GridView::PartCount(HWND) {
  if (!model_ || model_->Rows() < 2 || model_->Cols() < 2) return 0;
  return static_cast<long>(model_->Rows() - 1) * (model_->Cols() - 1);
}

bool GridView::Name(HWND, long child, std::wstring* name) {
  if (child == CHILDID_SELF) return false;
  const int row = RowOfPart(*model_, child);
  const int col = ColOfPart(*model_, child);
  const std::string& shown = model_->TextMatrix(row, 0);
  const std::string number = shown.empty() ? std::to_string(row) : shown;
  *name = win::Widen(model_->TextMatrix(0, col) + "，第" + number + "行：" + model_->TextMatrix(row, col));
  return true;
}

bool GridView::Role(HWND, long child, long* role) {
  *role = child == CHILDID_SELF ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL;
  return true;
}

bool GridView::State(HWND window, long child, long* state) {
  if (child == CHILDID_SELF) return false;
  const int row = RowOfPart(*model_, child);
  const int col = ColOfPart(*model_, child);
  *state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (RowSelected(row)) *state |= STATE_SYSTEM_SELECTED;
  if (child == CurrentPart() && ::GetFocus() == window) *state |= STATE_SYSTEM_FOCUSED;
  if (model_->RowHeight(row) == 0 || model_->ColWidth(col) == 0) *state |= STATE_SYSTEM_INVISIBLE;
  return true;
}

bool GridView::Location(HWND window, long child, RECT* screen) {
  if (child == CHILDID_SELF) return false;
  *screen = CellBox(RowOfPart(*model_, child), ColOfPart(*model_, child));
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(screen), 2);
  return true;
}

bool GridView::Focus(HWND window, long* child) {
  if (::GetFocus() != window || CurrentPart() == 0) return false;
  *child = CurrentPart();
  return true;
}

// ---- geometry -------------------------------------------------------------

GridGeometry GridView::Geometry() const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  std::vector<int> widths(static_cast<std::size_t>(model_->Cols()));
  for (int c = 0; c < model_->Cols(); ++c) widths[static_cast<std::size_t>(c)] = model_->ColWidth(c);
  return GridGeometry(index_, std::move(widths), model_->TopRow(), model_->LeftCol(), dpi_,
                      client.right, client.bottom);
}

void GridView::EnsureLayout() {
  if (!model_) return;
  if (!layoutDirty_) {
    if (barsDirty_) UpdateScrollBars();
    return;
  }
  layoutDirty_ = false;
  std::vector<int> heights(static_cast<std::size_t>(model_->Rows()));
  for (int r = 0; r < model_->Rows(); ++r) heights[static_cast<std::size_t>(r)] = model_->RowHeight(r);
  index_.Rebuild(heights);
  UpdateScrollBars();
}

RECT GridView::CellBox(int row, int col) {
  if (!model_) return RECT{};
  EnsureLayout();
  const GridGeometry geometry = Geometry();
  const int top = row == 0 ? 0 : geometry.RowTop(row);
  const int left = col == 0 ? 0 : geometry.ColLeft(col);
  const int bottom = row == 0 ? geometry.HeaderHeight() : geometry.RowTop(row + 1);
  const int right = col == 0 ? geometry.FixedWidth() : geometry.ColLeft(col + 1);
  return RECT{left, top, right, bottom};
}

void GridView::UpdateScrollBars() {
  if (!IsAlive() || !model_ || inLayout_) return;
  inLayout_ = true;
  barsDirty_ = false;
  const GridGeometry geometry = Geometry();
  // Vertical: positions count shown data rows.
  const int total = geometry.ShownTotal();
  const int maxRank = geometry.MaxTopRank();
  int rank = geometry.TopRank();
  if (rank > maxRank) {
    rank = maxRank;
    const int row = geometry.RowOfRank(rank);
    if (row < model_->Rows()) model_->SetTopRow(row);
  }
  SCROLLINFO v{};
  v.cbSize = sizeof v;
  v.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  v.nMin = 0;
  v.nPage = static_cast<UINT>(std::max(1, total - maxRank));
  v.nMax = std::max(0, total - 1);
  v.nPos = rank;
  ::SetScrollInfo(hwnd(), SB_VERT, &v, TRUE);
  // Horizontal: positions are column indices from 1.
  const int maxLeft = geometry.MaxLeftCol();
  if (model_->LeftCol() > maxLeft) model_->SetLeftCol(maxLeft);
  SCROLLINFO h{};
  h.cbSize = sizeof h;
  h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  h.nMin = 1;
  h.nMax = std::max(1, model_->Cols() - 1);
  h.nPage = static_cast<UINT>(std::max(1, model_->Cols() - maxLeft));
  h.nPos = model_->LeftCol();
  ::SetScrollInfo(hwnd(), SB_HORZ, &h, TRUE);
  inLayout_ = false;
}

// ---- scrolling -------------------------------------------------------------

void GridView::ScrollToRank(int rank) {
  EnsureLayout();
  const GridGeometry geometry = Geometry();
  rank = std::clamp(rank, 0, geometry.MaxTopRank());
  const int row = geometry.RowOfRank(rank);
  if (row >= model_->Rows() || row == model_->TopRow()) return;
  model_->SetTopRow(row);
  if (events_.scrolled) events_.scrolled();
}

void GridView::ScrollToCol(int col) {
  col = std::clamp(col, 1, Geometry().MaxLeftCol());
  if (col == model_->LeftCol()) return;
  model_->SetLeftCol(col);
  if (events_.scrolled) events_.scrolled();
}

void GridView::ScrollRows(int delta) {
  EnsureLayout();
  ScrollToRank(Geometry().TopRank() + delta);
}

void GridView::ScrollIntoView(int row, int col) {
  if (!model_ || !IsAlive()) return;
  EnsureLayout();
  if (row >= 1 && row < model_->Rows() && model_->RowHeight(row) > 0) {
    const GridGeometry geometry = Geometry();
    const int rank = geometry.ShownRank(row);
    const int top = geometry.TopRank();
    if (rank < top) {
      ScrollToRank(rank);
    } else {
      const int inView = geometry.RowsInView();
      if (rank >= top + inView) ScrollToRank(rank - inView + 1);
    }
  }
  if (col >= 1 && col < model_->Cols()) {
    if (col < model_->LeftCol()) {
      ScrollToCol(col);
    } else {
      const int left = Geometry().LeftColShowing(col);
      if (left != model_->LeftCol()) model_->SetLeftCol(left);
      if (events_.scrolled && left != col) events_.scrolled();
    }
  }
}

void GridView::OnVScroll(WPARAM code) {
  const GridGeometry geometry = Geometry();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  ::GetScrollInfo(hwnd(), SB_VERT, &si);
  ScrollToRank(win::VerticalScrollTarget(code, geometry.TopRank(), geometry.RowsInView(),
                                         geometry.MaxTopRank(), si.nTrackPos));
}

void GridView::OnHScroll(WPARAM code) {
  const GridGeometry geometry = Geometry();
  const int left = model_->LeftCol();
  switch (LOWORD(code)) {
    case SB_LINELEFT:
    case SB_PAGELEFT: ScrollToCol(geometry.NextCol(left, -1)); break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: ScrollToCol(geometry.NextCol(left, 1)); break;
    case SB_LEFT: ScrollToCol(1); break;
    case SB_RIGHT: ScrollToCol(geometry.MaxLeftCol()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollToCol(HIWORD(code)); break;
    default: break;
  }
}

// ---- input -----------------------------------------------------------------

bool GridView::HitCell(POINT at, int* row, int* col) {
  EnsureLayout();
  const GridGeometry::Hit hit = Geometry().HitTest(at.x, at.y);
  *row = hit.row;
  *col = hit.col;
  return *row >= 0 && *col >= 0;
}

void GridView::OnMouseDown(POINT at, bool extend) {
  int row = 0;
  int col = 0;
  HitCell(at, &row, &col);
  if (row < 1) return;  // headings and the empty area choose nothing
  if (col < 1) col = std::max(model_->Col(), model_->LeftCol());
  if (extend && model_->Row() >= 1) {
    model_->SetRowSel(row);
  } else {
    model_->SetRow(row);
    model_->SetCol(col);
    model_->SetRowSel(row);
  }
  dragging_ = true;
  ::SetCapture(hwnd());
}

void GridView::OnKey(WPARAM key) {
  EnsureLayout();
  if (model_->Rows() < 2) return;
  const bool extend = KeyDown(VK_SHIFT);
  const bool ctrl = KeyDown(VK_CONTROL);
  const GridGeometry geometry = Geometry();
  const int total = geometry.ShownTotal();
  if (total == 0) return;
  // The end that moves: the selection's far end with Shift, else the cursor.
  const int from = extend ? model_->RowSel() : model_->Row();
  int rank = from >= 1 ? geometry.ShownRank(geometry.FirstShownFrom(from)) : -1;
  int col = std::max(model_->Col(), 1);
  const int page = geometry.RowsInView();
  switch (key) {
    case VK_UP: rank = std::max(rank - 1, 0); break;
    case VK_DOWN: rank = std::min(rank + 1, total - 1); break;
    case VK_PRIOR: rank = std::max(rank - page, 0); break;
    case VK_NEXT: rank = std::min(std::max(rank, 0) + page, total - 1); break;
    case VK_LEFT: col = geometry.NextCol(col, -1); break;
    case VK_RIGHT: col = geometry.NextCol(col, 1); break;
    case VK_HOME:
      col = model_->ColWidth(1) > 0 ? 1 : geometry.NextCol(1, 1);
      if (ctrl) rank = 0;
      break;
    case VK_END:
      col = model_->ColWidth(model_->Cols() - 1) > 0 ? model_->Cols() - 1
                                                      : geometry.NextCol(model_->Cols() - 1, -1);
      if (ctrl) rank = total - 1;
      break;
    default: return;
  }
  rank = std::clamp(rank, 0, total - 1);
  const int row = geometry.RowOfRank(rank);
  if (extend && model_->Row() >= 1) {
    model_->SetRowSel(row);
  } else {
    model_->SetRow(row);
    model_->SetRowSel(row);
  }
  model_->SetCol(col);
  ScrollIntoView(row, col);
}

LRESULT GridView::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Without a model Render shades the whole client.
  LRESULT result = 0;
  if (win::AnswerRenderMessage(hwnd(), msg, wParam, [this](HDC dc) { Render(dc); }, &result)) {
    return result;
  }
  if (msg == WM_GETOBJECT && accessible_.Answer(hwnd(), wParam, lParam, this, &result)) return result;
  if (!model_) return DefaultProc(msg, wParam, lParam);
  switch (msg) {
    case WM_SIZE:
      layoutDirty_ = true;
      InvalidateAll();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      announced_ = 0;  // coming back, the cell is told again
      if (msg == WM_SETFOCUS) AnnounceCurrentCell();
      return 0;
    case kAnnounceCell:
      announcePending_ = false;
      if (::GetFocus() == hwnd() && CurrentPart() != 0 && CurrentPart() != announced_) {
        announced_ = CurrentPart();
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd(), OBJID_CLIENT, announced_);
      }
      return 0;
    case WM_LBUTTONDOWN:
      ::SetFocus(hwnd());
      OnMouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                  (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        EnsureLayout();
        const int header = Geometry().HeaderHeight();
        // Dragging past the top or bottom scrolls one row a move.
        if (at.y < header) {
          ScrollRows(-1);
          at.y = header;
        } else if (at.y >= client.bottom) {
          ScrollRows(1);
          at.y = client.bottom - 1;
        }
        int row = 0;
        int col = 0;
        HitCell(at, &row, &col);
        if (row >= 1 && row != model_->RowSel()) model_->SetRowSel(row);
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
    case WM_LBUTTONDBLCLK: {
      int row = 0;
      int col = 0;
      if (HitCell(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &row, &col) && row >= 1 &&
          col >= 1) {
        model_->SetRow(row);
        model_->SetCol(col);
        model_->SetRowSel(row);
        if (events_.doubleClick) events_.doubleClick();
      }
      return 0;
    }
    case WM_KEYDOWN:
      // F2 edits the current cell as a double-click on it does.
      if (wParam == VK_F2 && model_ && model_->Row() >= 1 && model_->Col() >= 1) {
        if (events_.doubleClick) events_.doubleClick();
        return 0;
      }
      OnKey(wParam);
      return 0;
    case WM_CHAR:
      if (events_.keyPress) events_.keyPress(static_cast<wchar_t>(wParam));
      return 0;
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
      const int notches = wheelRest_ / WHEEL_DELTA;
      wheelRest_ -= notches * WHEEL_DELTA;
      if (notches != 0) {
        ScrollRows(lines == WHEEL_PAGESCROLL ? -notches * Geometry().RowsInView()
                                              : -notches * static_cast<int>(lines));
      }
      return 0;
    }
    case WM_VSCROLL:
      OnVScroll(wParam);
      return 0;
    case WM_HSCROLL:
      OnHScroll(wParam);
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

// ---- painting --------------------------------------------------------------

bool GridView::RowSelected(int row) const {
  const int low = std::min(model_->Row(), model_->RowSel());
  const int high = std::max(model_->Row(), model_->RowSel());
  return low >= 1 && row >= low && row <= high;
}

void GridView::PaintCell(HDC dc, int row, int col, const RECT& box, bool fixed) {
  const bool selected = !fixed && RowSelected(row);
  const RECT inner{box.left, box.top, box.right - 1, box.bottom - 1};
  const Palette& p = palette_;
  Colour back = fixed ? p.fixed : p.cell;
  // Flat (high contrast), the cells' own colours give way to the system's.
  Colour text = !p.flat ? model_->ForeColorAt(row, col) : fixed ? p.fixedText : p.cellText;
  if (selected) {
    back = p.selection;
    text = p.selectionText;
  }
  win::FillSolid(dc, inner, back);
  // Grid lines: the right and bottom edge of every cell.
  const Colour lines = p.flat ? p.lines : lineColour_;
  win::FillSolid(dc, RECT{box.right - 1, box.top, box.right, box.bottom}, lines);
  win::FillSolid(dc, RECT{box.left, box.bottom - 1, box.right, box.bottom}, lines);
  const std::string& cell = model_->TextMatrix(row, col);
  if (!cell.empty()) {
    const std::wstring wide = win::Widen(cell);
    RECT area{inner.left + kTextPadding, inner.top, inner.right - kTextPadding, inner.bottom};
    UINT format = DT_NOPREFIX | DT_SINGLELINE;
    if (row == 0) {
      format |= DT_CENTER | DT_VCENTER;
    } else if (model_->ColAlignment(col) == kAlignCentreTop) {
      format |= DT_CENTER | DT_TOP;
      area.top += 1;
    } else {
      format |= DT_LEFT | DT_VCENTER;
    }
    ::SetTextColor(dc, win::ToColorRef(text));
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, format);
  }
  if (!fixed && row == model_->Row() && col == model_->Col() && ::GetFocus() == hwnd()) {
    RECT focus = inner;
    ::DrawFocusRect(dc, &focus);
  }
}

void GridView::Render(HDC target) {
  allInvalid_ = false;
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  win::BufferedDc buffer(target, client.right, client.bottom);
  HDC dc = buffer.dc();
  // The table's colours do not depend on the skin.
  palette_ = PaletteNow(Skin{});
  win::FillSolid(dc, client, palette_.fixed);
  if (!model_) return;
  EnsureLayout();
  win::SelectScope font(dc, font_.get());
  ::SetBkMode(dc, TRANSPARENT);

  const GridGeometry geometry = Geometry();
  // Columns in view: the fixed one, then from LeftCol to the right edge.
  std::vector<int> cols;
  if (model_->ColWidth(0) > 0) cols.push_back(0);
  for (int c = model_->LeftCol(); c < model_->Cols() && geometry.ColLeft(c) < client.right; ++c) {
    if (model_->ColWidth(c) > 0) cols.push_back(c);
  }
  const auto cellBox = [&](int c, int top, int bottom) {
    const int left = c == 0 ? 0 : geometry.ColLeft(c);
    const int right = c == 0 ? geometry.FixedWidth() : geometry.ColLeft(c + 1);
    return RECT{left, top, right, bottom};
  };

  for (int rank = geometry.TopRank(), total = geometry.ShownTotal(); rank < total; ++rank) {
    const int row = geometry.RowOfRank(rank);
    const int top = geometry.RowTop(row);
    if (top >= client.bottom) break;
    const int bottom = geometry.RowTop(row + 1);
    for (int c : cols) PaintCell(dc, row, c, cellBox(c, top, bottom), c == 0);
  }
  if (model_->RowHeight(0) > 0) {
    for (int c : cols) PaintCell(dc, 0, c, cellBox(c, 0, geometry.HeaderHeight()), true);
  }
}

}  // namespace quillet
