#include "shell/export_command.h"

#include <algorithm>

namespace quillet {

std::optional<ExportCommand> ParseExportCommand(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  std::string name = arguments[0];
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (name.empty() || (name[0] != '/' && name[0] != '-')) return std::nullopt;
  name.erase(0, 1);
  ExportCommand command;
  if (name == "export-records") {
    command.kind = ExportKind::Records;
  } else if (name == "export-reminders") {
    command.kind = ExportKind::Reminders;
  } else {
    return std::nullopt;
  }
  if (arguments.size() != 2 || arguments[1].empty()) {
    command.error = "用法：quillet.exe /" + name + " 文件名";
  } else {
    command.target = arguments[1];
  }
  return command;
}

}  // namespace quillet
