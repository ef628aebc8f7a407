#include "shell/startup.h"

#include "base/field_reader.h"
#include "base/paths.h"
#include "settings/default_settings.h"

namespace quillet {

std::string AlreadyRunningText(std::string_view programPath) {
  const std::size_t slash = programPath.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? programPath : programPath.substr(slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name) + "已经在运行，请检查隐藏在屏幕边上的Quillet";
}

ParameterItems StartupSettings(const ParametersLoad& load, const std::string& programFolder) {
  ParameterItems items = load.fileRead ? load.items : DefaultSettings(programFolder);
  if (Trim(items[kParamDataFolder]).empty()) items[kParamDataFolder] = programFolder;
  std::string& sound = items[kParamSoundFile];
  if (!sound.empty() && sound.find_first_of("\\/:") == std::string::npos) {
    sound = FileInFolder(programFolder, sound);
  }
  return items;
}

}  // namespace quillet
