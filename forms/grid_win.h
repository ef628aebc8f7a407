// The table view of the program's two tables (work records, reminders): a
// child window that draws a TableModel and lets the user move the current
// cell, choose a range of rows and scroll. It changes nothing in the model
// but the cursor (Row, Col, RowSel) and the scroll position (TopRow,
// LeftCol); cell texts, colours and row heights belong to the owner.
//
// Row 0 (headings) and column 0 (numbers) are fixed and shaded, as is the
// area past the last row and column. A row of height 0 or a column of
// width 0 is not drawn. Only the rows in view are drawn, into an
// off-screen buffer; row positions come from a RowIndex, so hidden rows
// cost nothing however many there are.
//
// To a screen reader the grid is a table whose data cells are the parts of
// its client object, row by row: cell (row, col) is child
// (row - 1) * (Cols() - 1) + col. A cell's name is its column heading, the
// row number the table shows in column 0 (the row's index when it shows
// none) and its text, as "工作内容，第3行：写报告" (full-width comma and
// colon; nothing after the colon for an empty cell). The object's focus is
// the current cell while the grid has the keyboard focus, and each move of
// the current cell then raises EVENT_OBJECT_FOCUS for it.
#pragma once

#include <windows.h>

#include <functional>

#include "base/colour.h"
#include "base/grid_geometry.h"
#include "base/row_index.h"
#include "base/table_model.h"
#include "forms/skin.h"
#include "win32/accessible.h"
#include "win32/handles.h"
#include "win32/window_base.h"

namespace quillet {

// What the owner hears of the user.
struct GridEvents {
  std::function<void()> doubleClick;      // on a data cell, which is the current cell; or F2
  std::function<void(wchar_t)> keyPress;  // a character typed while the grid has the focus
  std::function<void()> scrolled;         // TopRow or LeftCol moved
};

class GridView : public win::Window, private TableObserver, private win::AccessibleSource {
 public:
  GridView() = default;
  ~GridView() override;

  // box: client pixels of parent.
  bool Create(HWND parent, int id, const RECT& box, int dpi);
  void Move(const RECT& box, int dpi);

  // The model is borrowed and must outlive the view or be detached with
  // nullptr first.
  void SetModel(TableModel* model);
  TableModel* Model() const { return model_; }
  void SetLineColour(Colour colour);
  void SetEvents(GridEvents events) { events_ = std::move(events); }

  // A cell's box in the grid's client pixels, measured from the first row
  // and column in view (so it may lie outside the client area).
  RECT CellBox(int row, int col);
  // Scrolls the least needed to bring the row and the column into view.
  void ScrollIntoView(int row, int col);
  // Draws the client area into dc.
  void Render(HDC dc);

 private:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnDetached() override;

  // TableObserver
  void OnCellChanged(int row, int col) override;
  void OnRowsChanged(int firstRow, int lastRow) override;
  void OnShapeChanged() override;
  void OnCurrentCellChanged() override;

  // AccessibleSource: the cells as parts.
  long PartCount(HWND window) override;
  bool Name(HWND window, long child, std::wstring* name) override;
  bool Role(HWND window, long child, long* role) override;
  bool State(HWND window, long child, long* state) override;
  bool Location(HWND window, long child, RECT* screen) override;
  bool Focus(HWND window, long* child) override;
  // Whether row lies between the current row and the selection's end.
  bool RowSelected(int row) const;
  // The current cell's part, 0 when there is none.
  long CurrentPart() const;
  // Raises the focus event for the current cell once the move is over.
  void AnnounceCurrentCell();

  void InvalidateAll();
  void EnsureLayout();
  void UpdateScrollBars();
  // The model's rows and columns as they lie in the client area now.
  GridGeometry Geometry() const;
  bool HitCell(POINT at, int* row, int* col);
  void ScrollToRank(int rank);
  void ScrollToCol(int col);
  void ScrollRows(int delta);
  void OnKey(WPARAM key);
  void OnMouseDown(POINT at, bool extend);
  void OnVScroll(WPARAM code);
  void OnHScroll(WPARAM code);
  void PaintCell(HDC dc, int row, int col, const RECT& box, bool fixed);
  void RecreateFont();

  TableModel* model_ = nullptr;
  GridEvents events_;
  Colour lineColour_ = 0xC0C0C0;
  Palette palette_;  // the colours of the paint under way
  int dpi_ = 96;
  win::Font font_;
  RowIndex index_;          // twips heights of every row, row 0 included
  bool layoutDirty_ = true;  // the index must be rebuilt
  bool barsDirty_ = true;    // the scroll bars must be set again
  bool allInvalid_ = false;  // the whole client waits for a paint
  bool inLayout_ = false;
  bool dragging_ = false;
  int wheelRest_ = 0;
  win::AccessibleAnswer accessible_;
  long announced_ = 0;          // the part the last focus event named
  bool announcePending_ = false;
};

}  // namespace quillet
