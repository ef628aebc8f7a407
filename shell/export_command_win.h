// Running the export command lines (shell/export_command.h), and the
// exports as the tray menu offers them, through the system's save dialog.
#pragma once

#include <windows.h>

#include <string>

#include "base/record_file.h"
#include "forms/program.h"
#include "shell/export_command.h"

namespace quillet {

// The export of kind from the data folder into target.
ExportOutcome RunExport(ExportKind kind, const std::string& dataFolder, const std::string& target);

// The command line's export: settings beside the program, the file, the
// exit code; a failure is one line on standard error.
int RunExportCommand(const ExportCommand& command, const std::string& programFolder);

// Asks for the file with the save dialog (owned by owner) and exports into
// it; a failure is shown with the file and the reason. Nothing happens when
// the user cancels.
void ExportWithDialog(Program& program, HWND owner, ExportKind kind);

}  // namespace quillet
