// The process-wide variables several windows share. Everything else lives
// in the window objects. All of it is touched on the user-interface thread
// only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/colour.h"
#include "base/parameter_items.h"

namespace quillet {

// The 51 settings items of paramter.dat, read at start-up.
inline ParameterItems Parameters;
// Look of the main panel's corner pictures (only 0 and 1 are used): -1 the
// normal picture, 0 the highlighted one.
inline std::array<std::int16_t, 11> ButtonState{};
// Calendar day cell colour kept while the cell has the focus.
inline Colour FocusColour = 0;
// -1: the work-record list shows today's records only; 0: all records.
inline std::int16_t TodayOnly = 0;
// "查看记录", "修改记录" or "添加记录": how the record edit window opens.
inline std::string EditMode;
inline std::int32_t SelectedRow = 0;
inline std::int32_t GridEditCol = 0;
inline std::int32_t GridEditRow = 0;
// Last cursor position the cursor tests took, screen pixels.
struct CursorPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};
inline CursorPoint CursorPos;
// Prompt method of the reminder most recently announced.
inline std::string ReminderPrompt;

// The folder of quillet.exe (paramter.dat, Help.dat, Code.dat), UTF-8.
inline std::string ProgramFolder;
// False when paramter.dat exists but could not be read: the program then
// runs on the first-run settings and leaves the file alone at exit.
inline bool SaveSettingsAtExit = true;

// Main panel size, twips; InitSharedState sets them.
inline double MainPanelWidth = 0;
inline double MainPanelHeight = 0;

// Start-up values: every ButtonState -1, TodayOnly 0, the panel 1700 x 4260
// twips.
void InitSharedState();

}  // namespace quillet
