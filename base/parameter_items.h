// The 51 settings items every window reads (kept in paramter.dat by the
// settings subsystem): 0 data folder; 1..6 switches (0 off, 1 on); 7
// background colour; 8 button colour; 9..13 colours of the five completion
// states; 14, 15 the main panel's left and top in twips; 16 reminder sound
// file; 17 button text colour; 18 the panel's hot key; 19..50 unused, kept
// and written back as read.
// Numbers are decimal texts read by the lenient number rule; colours as
// ColourText writes them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace quillet {

inline constexpr std::size_t kParameterCount = 51;
using ParameterItems = std::array<std::string, kParameterCount>;

inline constexpr std::size_t kParamDataFolder = 0;
inline constexpr std::size_t kParamFirstSwitch = 1;  // 1..6
inline constexpr std::size_t kParamReminderSound = 1;  // switch: reminders may sound
inline constexpr std::size_t kParamDocking = 2;
inline constexpr std::size_t kParamOnTop = 3;  // switch: the panel stays above other windows
inline constexpr std::size_t kParamTrayButton = 4;
inline constexpr std::size_t kParamPopupBySelf = 5;  // switch: the reminder pop-up comes up by itself
inline constexpr std::size_t kParamMessages = 6;     // switch: messages accepted
inline constexpr std::size_t kParamBackground = 7;
inline constexpr std::size_t kParamButtonColour = 8;
// The row colours of the five completion states, 9..13.
inline constexpr std::size_t kParamDoneColour = 9;
inline constexpr std::size_t kParamNotDoneColour = 10;
inline constexpr std::size_t kParamCancelledColour = 11;
inline constexpr std::size_t kParamPostponedColour = 12;
inline constexpr std::size_t kParamPartlyDoneColour = 13;
inline constexpr std::size_t kParamPanelLeft = 14;
inline constexpr std::size_t kParamPanelTop = 15;
inline constexpr std::size_t kParamSoundFile = 16;
inline constexpr std::size_t kParamButtonTextColour = 17;
inline constexpr std::size_t kParamHotKey = 18;  // the key that brings the panel out (base/hot_key.h)

}  // namespace quillet
