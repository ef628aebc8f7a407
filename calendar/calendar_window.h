// The calendar window (Calendar), "　Tamber日历": one Gregorian month as 42
// day cells in six Monday-first weeks, the year and month chosen with two
// scroll bars (1900..2100), and the lunar date of today at the top right.
// Each cell shows the day, its lunar date, its festivals and solar term
// (month_grid.h), a small 休 or 班 in its corner for an arranged day, and
// its whole text in a tooltip when a line had to be cut; a screen reader
// hears a cell's whole text too (DayCell::SpokenText). It keeps the
// system frame and title bar; closing it there unloads it, the panel's
// button only hides it.
#pragma once

#include <array>
#include <string>

#include "base/colour.h"
#include "calendar/day_marks.h"
#include "calendar/month_grid.h"
#include "forms/form_win.h"
#include "win32/accessible.h"
#include "win32/handles.h"

namespace quillet {

class CalendarWindow : public Form, private win::AccessibleSource {
 public:
  static constexpr char kCaption[] = "\u3000Tamber日历";
  // The 42 day cells, then the year (42) and the month (43) boxes.
  static constexpr ControlKey kDayBoxes{"Txt"};
  static constexpr int kTextBoxes = kMonthGridCells + 2;
  static constexpr ControlKey kLabels{"Lbl"};
  static constexpr int kTodayDate = 9;      // the label of today's lunar date
  static constexpr int kTodayHeading = 10;  // "今天的农历日期是："
  static constexpr ControlKey kScrollBars{"Scrl"};
  static constexpr int kYearBar = 0;
  static constexpr int kMonthBar = 1;

  CalendarWindow();
  // Loads the window (hidden) showing the current month; true when loaded.
  bool Load() { return LoadForm(); }

  int Year() const { return year_; }
  int Month() const { return month_; }
  // Puts the focus on today's cell when the month shown holds it.
  void FocusToday();
  // Fills the 42 cells for that month (the scroll bars are not moved).
  void FillMonth(int year, int month);
  // Sets a scroll bar as the user would: the box beside it and the grid follow.
  void SetScrollValue(int bar, int value);
  // The background a text box shows now.
  Colour BoxColour(int index) const;

 protected:
  void OnLoad() override;
  void OnUnload() override;
  void Paint(const PaintTarget& target) override;
  bool OnFormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool OnEscape() override {  // hidden, as the panel's button hides it
    Hide();
    return true;
  }
  // The day cells are one stop of Tab: the day last focused, else the 1st.
  // The year and month boxes only show what the scroll bars set.
  bool TabStop(const ControlDef& control) const override;

 private:
  int BoxIndex(HWND box) const;  // 0..43, or -1
  // Moves the bar and writes its box; the value as kept in the range.
  int ShowScrollValue(int bar, int value);
  void OnScroll(HWND bar, int code);
  void OnBoxFocus(int index, bool gained);
  LRESULT BoxColours(HDC dc, HWND box);
  // The cells' lines cut to their visible width, and their tooltip texts.
  void ShowCells();
  void ShowCell(HDC measuring, int index);
  // The client x (of the cell) up to which the cell is not covered by its
  // right-hand neighbour.
  int VisibleRight(int index) const;
  void MakeMarkFont();
  void PaintMark(HWND box, int index) const;
  LRESULT CellProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, int index);
  // The keys of a focused cell: arrows move the focused day, Page Up and
  // Page Down a month (with Ctrl a year), Home back to today. True when
  // the key was one of them.
  bool CellKey(int index, WPARAM key);
  // AccessibleSource of the day cells: their whole text, as table cells.
  bool Name(HWND box, long child, std::wstring* name) override;
  bool Role(HWND box, long child, long* role) override;
  // Shows date's month (within the calendar's years) with date's cell focused.
  void ShowDay(const CivilDate& date);
  void ShowToday();  // Home, and a click on today's lunar date

  int year_ = 0;
  int month_ = 0;
  std::string lunarToday_;  // Lbl(9): the lunar date of the day the window opened
  DayMarks marks_;
  std::array<DayCell, kMonthGridCells> cells_{};
  std::array<HWND, kTextBoxes> boxes_{};
  std::array<Colour, kTextBoxes> backs_{};  // each box's colour when it has no focus
  int focused_ = -1;
  int lastFocused_ = -1;  // the day cell that had the focus last
  Colour focusColour_ = 0;  // the focused box's colour, kept while it has the focus
  std::array<std::wstring, kMonthGridCells> tips_{};
  HWND tooltip_ = nullptr;  // owned by the window, destroyed with it
  win::Brush white_;
  win::Brush grey_;
  win::Brush pink_;
  win::Font markFont_;
};

// Shows the calendar modeless, loading it first when needed.
void ShowCalendar(Program& program);

}  // namespace quillet
