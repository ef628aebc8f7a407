// The host window and the program's manifest for the gradient buttons live
// in win_test.h.
#pragma once

#include "tests/support/win_test.h"
