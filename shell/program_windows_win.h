// Connects the panel's navigation table to the windows of the subsystems.
#pragma once

namespace quillet {

// Fills in ProgramNavigation() with every window the program has.
void ConnectProgramWindows();

}  // namespace quillet
