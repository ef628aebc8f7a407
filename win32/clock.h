// The present moment as the program reads it. Every window and the due
// check ask here, so that a test harness can move the program's clock: when
// the environment variable QUILLET_CLOCK_FILE names a file, the whole
// number of seconds written in it (negative for the past) is added to the
// local time at each reading. Without the variable the local time is
// returned as it is.
#pragma once

#include <windows.h>

namespace quillet::win {

SYSTEMTIME LocalNow();

}  // namespace quillet::win
