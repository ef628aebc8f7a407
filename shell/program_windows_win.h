// The program as the shell runs it, and the panel's navigation table
// connected to the windows of the subsystems.
#pragma once

#include "forms/program.h"

namespace quillet {

class ShellProgram final : public Program {
 public:
  bool RecordWindowsOpen() const override;
  bool ReminderSettingsOpen() const override;
};

// Fills in ProgramNavigation() with every window the program has; each
// window opened from there belongs to program.
void ConnectProgramWindows(Program& program);

}  // namespace quillet
