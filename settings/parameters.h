// The settings file paramter.dat (spelled so) in the program's folder: 51
// text items, one double-quoted line each, CR LF, code page 936. Read once at
// start-up, written whole at exit and when the settings window is confirmed.
// Every item is kept trimmed; what each holds: base/parameter_items.h.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "base/colour.h"
#include "base/file_store.h"
#include "base/parameter_items.h"

namespace quillet {

inline constexpr std::string_view kParameterFileName = "paramter.dat";

// The file's path in the program's folder (a separator is added unless the
// folder already ends with one).
std::string ParameterFilePath(const std::string& programFolder);

// Items from the decoded text of the file: fields taken one after the other
// by the data-file field rule and trimmed; items past the end of the text are
// empty. So a short file fills the first items only, and an unquoted line
// "a,b" gives two items.
ParameterItems ParseParameters(std::string_view text);

// The file's text (UTF-8, before encoding): 51 lines '"' + item + '"' CR LF,
// each item trimmed. A double quote or line break inside an item, which the
// format cannot hold, is written as a full-width quote or a blank, so the
// file always reads back as 51 items in place.
std::string FormatParameters(const ParameterItems& items);

struct ParametersLoad {
  ParameterItems items;
  bool fileRead = false;         // false: missing or unreadable, every item empty
  std::size_t invalidBytes = 0;  // bytes not in code page 936, kept as byte escapes
  FileVersion version;           // of the file as it was read
};

// Reads the file; any failure leaves all items empty (the program's defaults:
// no data folder, switches off, colours black, panel at 0, 0).
ParametersLoad LoadParameters(const std::string& path);

struct ParametersSave {
  bool saved = false;
  // Characters code page 936 cannot hold, which only the user can have
  // typed (bytes read from the file are kept, see base/codepage.h). When
  // there are any nothing is written (the old file stays as it was) rather
  // than '?' in their place.
  std::size_t unmappable = 0;
  std::string error;  // short reason for the user, in Chinese, when not saved
  FileVersion written;  // of the file saved, when saved
};

// Writes the file safely: the old file is replaced only by a complete new one.
ParametersSave SaveParameters(const std::string& path, const ParameterItems& items);

// The message shown when the settings could not be saved (at exit or from
// the settings window): the file's path and the reason the save gave.
std::string SettingsNotSavedText(std::string_view path, std::string_view reason);

// The settings window's controls that mirror the items.
struct SettingsControls {
  std::string dataFolder;              // text box 0, "当前路径"
  std::string soundFile;               // text box 1
  Colour buttonTextColour = 0;         // text colour of text box 2, the colour sample
  std::array<int, 6> switches{};       // check boxes 0..5: 0 unticked, 1 ticked
  std::array<Colour, 7> colours{};     // back colours of the colour boxes 0..6
};

// Fills the settings window's controls from the items (while it loads).
SettingsControls ParametersToSettings(const ParameterItems& items);

// Copies the controls into the items (when the user confirms, before saving);
// items not mirrored by a control are left alone.
void SettingsToParameters(const SettingsControls& controls, ParameterItems& items);

}  // namespace quillet
