#include "settings/parameters.h"

#include <cstdint>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "base/file_store.h"
#include "base/numbers.h"
#include "base/paths.h"

namespace quillet {

std::string ParameterFilePath(const std::string& programFolder) {
  return FileInFolder(programFolder, kParameterFileName);
}

ParameterItems ParseParameters(std::string_view text) {
  ParameterItems items;
  FieldReader reader(text);
  for (std::string& item : items) {
    if (reader.AtEnd()) break;  // the remaining items stay empty
    item = Trim(reader.Next());
  }
  return items;
}

std::string FormatParameters(const ParameterItems& items) {
  std::string text;
  // Trimmed after a line break at either end has become a blank.
  for (const std::string& item : items) AppendQuotedLine(text, Trim(SanitizeField(item)));
  return text;
}

ParametersLoad LoadParameters(const std::string& path) {
  ParametersLoad load;
  const FileContents file = ReadWholeFile(path);
  load.version = file.status == FileStatus::Ok ? VersionOfBytes(file.bytes) : FileVersion{file.status};
  if (file.status != FileStatus::Ok) return load;
  const Cp936Decoded decoded = DecodeCp936(file.bytes);
  load.items = ParseParameters(decoded.utf8);
  load.fileRead = true;
  load.invalidBytes = decoded.invalidBytes;
  return load;
}

ParametersSave SaveParameters(const std::string& path, const ParameterItems& items) {
  ParametersSave result;
  const Cp936Encoded encoded = EncodeCp936(FormatParameters(items));
  result.unmappable = encoded.unmappable;
  if (encoded.unmappable > 0) {
    result.error = "其中有 GBK 编码无法保存的字符";
    return result;
  }
  result.saved = ReplaceFileContents(path, encoded.bytes, &result.error);
  if (result.saved) result.written = VersionOfBytes(encoded.bytes);
  return result;
}

std::string SettingsNotSavedText(std::string_view path, std::string_view reason) {
  return "无法保存设置文件 " + std::string(path) + "：" + std::string(reason);
}

SettingsControls ParametersToSettings(const ParameterItems& items) {
  SettingsControls c;
  c.dataFolder = items[kParamDataFolder];
  c.soundFile = Trim(items[kParamSoundFile]);
  c.buttonTextColour = ColourFromText(items[kParamButtonTextColour]);
  for (std::size_t i = 0; i < c.switches.size(); ++i) {
    // A check box holds 0 or 1; any other non-zero value counts as ticked.
    c.switches[i] = LenientInt16(items[kParamFirstSwitch + i]) != 0 ? 1 : 0;
  }
  for (std::size_t i = 0; i < c.colours.size(); ++i) {
    c.colours[i] = ColourFromText(items[kParamBackground + i]);
  }
  return c;
}

void SettingsToParameters(const SettingsControls& controls, ParameterItems& items) {
  items[kParamDataFolder] = Trim(controls.dataFolder);
  items[kParamSoundFile] = Trim(controls.soundFile);
  items[kParamButtonTextColour] = ColourText(controls.buttonTextColour);
  for (std::size_t i = 0; i < controls.switches.size(); ++i) {
    items[kParamFirstSwitch + i] = std::to_string(controls.switches[i]);
  }
  for (std::size_t i = 0; i < controls.colours.size(); ++i) {
    items[kParamBackground + i] = ColourText(controls.colours[i]);
  }
}

}  // namespace quillet
