// The program's start-up and its message loop.
#pragma once

namespace quillet {

// Start-up in order (settings, shared variables, single-copy check, the
// panel), then the message loop until the panel's shut-down ends it.
// Returns the process exit code.
int RunProgram();

}  // namespace quillet
