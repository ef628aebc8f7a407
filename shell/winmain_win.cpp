// Entry point of quillet.exe.
#include <windows.h>

#include "shell/app_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return quillet::RunProgram(); }
